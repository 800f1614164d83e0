// What a proposal gave one surface, in one line: a surface may hold up to 24 sets, too many for
// a report to list by name where it only says what was done.
#pragma once

#include <string>

#include "host/scene/scene.h"
#include "sets/proposed_sets.h"

// "3 sets: 2 round sets (340, 20 polygons), 1 flat set (12 polygons); 57 polygons left to the
// host's smoothing", the kinds in the proposal's order; empty where it gave the surface nothing.
// `mesh` is the mesh the proposal was made for.
std::string SurfaceProposalSummary(const MeshData &mesh, const SetProposal &proposal,
                                   const std::string &surface);
