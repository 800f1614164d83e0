#include "sets/normals_proposal.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "sets/authored_normals_testing.h"

namespace {

TEST(NormalsProposal, TellsMissingAndUnusableNormalsApart) {
    EXPECT_EQ(AuthoredNormalsOf(MakeBox()), AuthoredNormals::none);
    MeshData box = MakeBox();
    AuthorNormals(box, 0);
    EXPECT_EQ(AuthoredNormalsOf(box), AuthoredNormals::usable);
    EXPECT_EQ(AuthoredNormalsOf(box, "Elsewhere"), AuthoredNormals::none);
    for (auto &normal : box.normals) normal = {NAN, 0, 0};
    box.normals[0] = {0, 0, 0};
    EXPECT_EQ(AuthoredNormalsOf(box), AuthoredNormals::unusable);
    EXPECT_TRUE(ProposeSetsFromNormals(box).sets.empty());
}

// Six regions with the same settings, none smoothing into another: one set.
TEST(NormalsProposal, AHardEdgedBoxIsOneSetKeptFlat) {
    MeshData box = MakeBox();
    AuthorNormals(box, 0);
    SetProposal proposal = ProposeSetsFromNormals(box);
    ASSERT_EQ(proposal.sets.size(), 1u);
    EXPECT_EQ(proposal.sets[0].name, "Smooth (Default)");
    EXPECT_EQ(proposal.sets[0].cornersWithin, 1);
    EXPECT_EQ(proposal.sets[0].cornersMeasured, 24);
    EXPECT_EQ(proposal.sets[0].angleDegrees, 0);
}

TEST(NormalsProposal, ASmoothCylinderWithCrispCapsIsMatchedExactly) {
    MeshData cylinder = MakeCylinder(16, 2, true);
    AuthorNormals(cylinder, 40);  // the side smooth, the caps at right angles crisp
    SetProposal proposal = ProposeSetsFromNormals(cylinder);
    // One set: each cap, one polygon, is as flat at the side's angle as at its own, and meets
    // the side at right angles, beyond it.
    ASSERT_EQ(proposal.sets.size(), 1u);
    const ProposedSet &side = proposal.sets[proposal.setOf[2]];
    EXPECT_EQ(side.cornersWithin, 1);
    EXPECT_GT(side.angleDegrees, 22.5);  // above the facet angle
}

TEST(NormalsProposal, DamagedNormalsAndPolygonsJoinNoSet) {
    MeshData odd = MakeOddPolygons(5);
    odd.normals = {{0, 0, 1}, {NAN, 0, 0}, {0, 0, 0}};
    for (MeshPolygon &polygon : odd.polygons)
        polygon.normalCorners.assign(polygon.points.size(), 1);
    odd.polygons[0].normalCorners.assign(odd.polygons[0].points.size(), 0);
    SetProposal proposal = ProposeSetsFromNormals(odd);
    // Only the n-gon has a normal with a direction; the damaged ones are counted.
    EXPECT_EQ(proposal.setOf, (std::vector<int>{0, -1, -1, -1, -1, -1}));
    EXPECT_EQ(proposal.sets[0].cornersWithin, 1);
    EXPECT_EQ(proposal.sets[0].cornersMeasured, 5);
    EXPECT_EQ(proposal.cornersUnmeasured, 4);
}

// Three by three quads on a bumpy height field, with one normal per point leaning a little this
// way or that: no setting brings every corner within 5 degrees of them. Smoothing at 19 and at 21
// degrees leaves as many off, 13 of the 36 corners. The tie goes to the setting whose corners
// end closer in all by one less their cosines (0.1557 at 21 against 0.1581 at 19), where the
// sum of their angles would have chosen 19.
TEST(NormalsProposal, SettingsThatLeaveAsManyOffAreRankedByTheirCornersCosines) {
    const int heights[16] = {5, 4, 4, 5, 7, 5, 0, 5, 3, 5, 6, 3, 6, 2, 5, 3};  // in 32nds
    const int leans[16][2] = {{0, 0},  {1, 0}, {1, 1}, {-1, 0}, {0, 1}, {1, 0},  {-1, -1}, {0, 1},
                              {0, -1}, {1, 0}, {1, 2}, {0, -2}, {1, 0}, {1, -1}, {2, 1},   {-1, 1}};
    MeshData grid;
    for (int point = 0; point < 16; ++point) {
        grid.points.push_back({float(point % 4), float(point / 4), heights[point] / 32.0f});
        grid.normals.push_back({leans[point][0] / 16.0f, leans[point][1] / 16.0f, 1});
    }
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            int corner = row * 4 + column;
            MeshPolygon quad;
            quad.points = {corner, corner + 1, corner + 5, corner + 4};
            quad.normalCorners = quad.points;
            grid.polygons.push_back(quad);
        }
    SetProposal proposal = ProposeSetsFromNormals(grid);
    ASSERT_EQ(proposal.sets.size(), 1u);
    EXPECT_EQ(proposal.sets[0].angleDegrees, 21);
    EXPECT_EQ(proposal.sets[0].cornersMeasured, 36);
    EXPECT_DOUBLE_EQ(proposal.sets[0].cornersWithin, 23.0 / 36);
}

// A set this large is joined up a chunk of polygons at a time on every core, the chunks then
// joined to each other, and measured on every core a chunk at a time, its measures added up in
// polygon order afterwards; smaller ones beside it are measured whole.
TEST(NormalsProposal, ConcurrentChunksJoinALargeSetAndCountEveryCornerOnceTheSameEveryTime) {
    MeshData torus = MakeTorus(330, 200, 1);  // 66,000 polygons in one set
    AuthorNormals(torus, 89.5);
    SetProposal first = ProposeSetsFromNormals(torus);
    ASSERT_EQ(first.sets.size(), 1u);
    EXPECT_EQ(first.sets[0].cornersWithin, 1);
    EXPECT_EQ(first.sets[0].cornersMeasured, 264000);
    SetProposal second = ProposeSetsFromNormals(torus);
    EXPECT_EQ(first.sets, second.sets);
    EXPECT_EQ(first.setOf, second.setOf);
}

}  // namespace
