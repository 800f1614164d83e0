// What both proposers do last with the sets they found: the same tidying for sets from the
// shape and sets from the object's normals.
#pragma once

#include "host/scene/scene.h"
#include "sets/module_neighbourhood.h"
#include "sets/proposed_sets.h"

// Gives sets alike but for their angle one angle where that changes no normal
// (shared_angles.h), joins the sets that change no normal when joined (set_joining.h), leaves the
// smallest of a surface with too many to the host (sets_per_surface.h) and names them within their
// surface (NameSetsBySurface).
void FinishProposal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                    SetProposal &proposal);
