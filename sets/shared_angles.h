// Gives sets of one surface that differ only in their angle one angle where that changes no
// normal the module gives them, so that they may then be joined (set_joining.h).
//
// A sample of a polygon counts each neighbour at its points (of its own set only, where the set
// is smoothed within the set only) whose normal lies within the angle of its own. Any angle that
// counts the same neighbours for every polygon of the set gives the same normals: the set
// accepts the cosines between the greatest of a neighbour it leaves out and the least of one it
// counts. Of the angles the sets alike already have, each set gets one it accepts, as few
// different ones as any choice among them could leave: the sets are taken in the order of the
// greatest angle each accepts, least first (then by first polygon), and each one still without
// an angle gives the greatest of the angles it accepts to itself and every other set still
// without one that accepts it too.
#pragma once

#include "host/scene/scene.h"
#include "sets/module_neighbourhood.h"
#include "sets/proposed_sets.h"

void ShareAnglesChangingNoNormal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                                 SetProposal &proposal);
