// Joins proposed sets that the module's smoothing cannot tell apart, so that an object gets a
// few sets per surface instead of one per region its proposer found.
//
// The module smooths a sample of a polygon in a set over the polygons around each of its points
// (points as the mesh numbers them, not positions) whose normals lie within the set's angle of
// its own, and counts only the polygons of its own set when the set is smoothed within the set
// only. So what a set is made of matters only there: two sets of one surface, of one kind and
// with the same settings become one unless both are smoothed within the set only and a polygon
// of one shares a point with a polygon of the other whose normal lies within the angle of its
// own. Every normal the module gives is then the same before and after.
#pragma once

#include "host/scene/scene.h"
#include "sets/module_neighbourhood.h"
#include "sets/proposed_sets.h"

// Sets are taken in the order of their first polygon, each joining the first group made before
// it that it may join, so the result depends on the mesh alone. The joined sets come in the
// order of their first polygon, each with the first one's name and reason, and its corners
// measured summed over its parts.
void JoinSetsChangingNoNormal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                              SetProposal &proposal);
