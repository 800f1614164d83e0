// For tests of the passes that finish a proposal: two quads folded along the edge they share,
// each a set of its own.
#pragma once

#include <numbers>

#include "host/scene/mesh_generators.h"
#include "sets/proposed_sets.h"

struct FoldedPair {
    MeshData mesh;
    SetProposal proposal;
};

// The quads folded by `foldDegrees`, each a set with `settings`.
inline FoldedPair Folded(double foldDegrees, const ProposedSet &settings) {
    FoldedPair pair{MakeFoldedGrid(2, 1, foldDegrees * std::numbers::pi / 180), {}};
    pair.proposal.sets = {settings, settings};
    pair.proposal.setOf = {0, 1};
    return pair;
}

inline ProposedSet Flat(double angleDegrees = 20, bool sameSetOnly = true, bool enabled = true) {
    ProposedSet set;
    set.angleDegrees = angleDegrees;
    set.sameSetOnly = sameSetOnly;
    set.enabled = enabled;
    return set;
}
