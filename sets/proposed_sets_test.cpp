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

// A polygon in no proposed set keeps no old group as its set, unless it is of another surface.
TEST(ApplyProposal, TakesOldTagsFromThePolygonsItLeavesOut) {
    MeshData row = MakeGrid(4, 1);
    for (MeshPolygon &polygon : row.polygons) polygon.part = "Old";
    row.polygons[3].surface = "Other";
    SetProposal proposal;
    proposal.sets = {OfKind(SetKind::flat)};
    proposal.sets[0].name = "Flats (Default)";
    proposal.setOf = {0, -1, LeftToHost, -1};
    MeshData whole = row;
    ApplyProposal(whole, proposal);
    EXPECT_EQ(whole.polygons[0].part, "Flats (Default)");
    for (int p : {1, 2, 3}) EXPECT_FALSE(whole.polygons[p].part.has_value()) << p;
    ApplyProposal(row, proposal, "Default");
    for (int p : {1, 2}) EXPECT_FALSE(row.polygons[p].part.has_value()) << p;
    EXPECT_EQ(row.polygons[3].part, "Old");
}

}  // namespace
