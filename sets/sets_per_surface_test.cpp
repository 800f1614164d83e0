#include "sets/sets_per_surface.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

// A row of `quads` quads of surface "Default", each a set of its own but the first two, which
// share one, followed by one quad of surface "Other" in a set of its own.
struct Row {
    MeshData mesh;
    SetProposal proposal;
};

Row RowOfSets(int quads) {
    Row row{MakeGrid(quads + 1, 1), {}};
    row.mesh.polygons.back().surface = "Other";
    for (int q = 0; q <= quads; ++q) {
        row.proposal.setOf.push_back(q == 0 ? 0 : q - 1);
        if (q > 0) row.proposal.sets.push_back({});
    }
    return row;
}

TEST(SetsPerSurface, TheSmallestSetsOfASurfaceWithTooManyAreLeftToTheHost) {
    Row row = RowOfSets(MostSetsPerSurface + 2);  // MostSetsPerSurface + 1 sets on "Default"
    for (std::size_t set = 0; set < row.proposal.sets.size(); ++set)
        row.proposal.sets[set].name = "Set " + std::to_string(set);
    LeaveSmallestSetsToHost(row.mesh, row.proposal);

    ASSERT_EQ(row.proposal.sets.size(), std::size_t(MostSetsPerSurface) + 1);
    const std::vector<int> &setOf = row.proposal.setOf;
    // The two-quad set stays; of the sets of one quad, the last on "Default" goes.
    EXPECT_EQ(setOf[0], setOf[1]);
    EXPECT_EQ(setOf[setOf.size() - 2], LeftToHost);
    EXPECT_GE(setOf.back(), 0);  // "Other" has one set, which stays

    for (MeshPolygon &polygon : row.mesh.polygons) polygon.part = "Old";
    ApplyProposal(row.mesh, row.proposal);
    EXPECT_FALSE(row.mesh.polygons[setOf.size() - 2].part.has_value());
}

TEST(SetsPerSurface, ASurfaceWithinTheLimitKeepsEverySet) {
    Row row = RowOfSets(MostSetsPerSurface + 1);
    const SetProposal before = row.proposal;
    LeaveSmallestSetsToHost(row.mesh, row.proposal);
    EXPECT_EQ(row.proposal.setOf, before.setOf);
    EXPECT_EQ(row.proposal.sets, before.sets);
}

}  // namespace
