#include "sets/proposed_sets.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

ProposedSet OfKind(SetKind kind) {
    ProposedSet set;
    set.kind = kind;
    return set;
}

TEST(ProposedSetNames, AreGivenWithinTheirSurfaceByKindThenFirstPolygon) {
    MeshData row = MakeGrid(4, 1);
    row.polygons[3].surface = "Other";
    SetProposal proposal;
    proposal.sets = {OfKind(SetKind::round), OfKind(SetKind::flat), OfKind(SetKind::round),
                     OfKind(SetKind::round)};
    proposal.setOf = {1, 2, 0, 3};
    NameSetsBySurface(row, proposal);

    std::vector<std::string> names;
    for (const ProposedSet &set : proposal.sets) names.push_back(set.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Flats (Default)", "Round 1 (Default)",
                                               "Round 2 (Default)", "Rounds (Other)"}));
    EXPECT_EQ(proposal.setOf, (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
