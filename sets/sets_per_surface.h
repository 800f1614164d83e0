// The most sets a proposal gives one surface. Every set's name and settings go into the one
// shader block of its surface, which holds at most 65,535 bytes, and a person reads them in one
// list in the options dialog: a surface with thousands of sets can be neither saved nor read.
#pragma once

#include "host/scene/scene.h"
#include "sets/proposed_sets.h"

constexpr int MostSetsPerSurface = 24;

// Leaves the polygons of the smallest sets of each surface to the host's own smoothing (their
// `setOf` becomes LeftToHost) where it has more than `most`: the largest sets stay, the earlier
// of two alike in size. Taking a set away changes no normal of the sets that stay: one smoothed
// within the set only never counted its polygons, and one smoothed across sets counts them
// whatever their set.
void LeaveSmallestSetsToHost(const MeshData &mesh, SetProposal &proposal,
                             int most = MostSetsPerSurface);
