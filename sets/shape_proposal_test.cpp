#include "sets/shape_proposal.h"

#include <gtest/gtest.h>

#include <set>

#include "host/scene/mesh_generators.h"

namespace {

std::vector<std::string> Names(const SetProposal &proposal) {
    std::vector<std::string> names;
    for (const ProposedSet &set : proposal.sets) names.push_back(set.name);
    return names;
}

// Six panels at right angles, each kept flat, are one set: none smooths into another.
TEST(ShapeProposal, ABoxIsOneSetOfFlatPanels) {
    SetProposal proposal = ProposeSetsFromShape(MakeBox());
    EXPECT_EQ(Names(proposal), (std::vector<std::string>{"Flats (Default)"}));
    EXPECT_EQ(proposal.setOf, (std::vector<int>{0, 0, 0, 0, 0, 0}));
    for (const ProposedSet &set : proposal.sets) {
        EXPECT_TRUE(set.enabled);
        EXPECT_TRUE(set.sameSetOnly);
        EXPECT_EQ(set.angleDegrees, 20);
    }
}

TEST(ShapeProposal, ACappedCylindersSideIsOneRoundAboveItsFacetAngle) {
    MeshData cylinder = MakeTwoSetCylinder(24, 1, 1);  // the sides first, then the two caps
    SetProposal proposal = ProposeSetsFromShape(cylinder);
    ASSERT_EQ(proposal.sets.size(), 2u);  // the side, and both caps in one
    int side = proposal.setOf[0];
    for (std::size_t p = 0; p < 24; ++p) EXPECT_EQ(proposal.setOf[p], side);
    const ProposedSet &round = proposal.sets[side];
    EXPECT_EQ(round.kind, SetKind::round);
    EXPECT_TRUE(round.sameSetOnly);
    EXPECT_GT(round.angleDegrees, 15);  // 360 / 24 between facets
    EXPECT_LT(round.angleDegrees, 25);
    EXPECT_EQ(proposal.sets[proposal.setOf[24]].kind, SetKind::flat);
}

TEST(ShapeProposal, PolygonsWithoutAreaJoinNoSet) {
    MeshData odd = MakeOddPolygons(6);
    SetProposal proposal = ProposeSetsFromShape(odd);
    // The n-gon and the quad share point 0, but the module's normal of the quad, through its
    // corners 0, 1 and 3 (one point twice), is zero, within no angle of the n-gon's: one set.
    EXPECT_EQ(proposal.setOf, (std::vector<int>{0, -1, -1, 0, -1, -1}));
}

TEST(ShapeProposal, OnlyTheSurfaceAskedForIsProposed) {
    MeshData torus = MakeTorus(24, 12, 2);
    SetProposal proposal = ProposeSetsFromShape(torus, "Other");
    ASSERT_FALSE(proposal.sets.empty());
    for (std::size_t p = 0; p < torus.polygons.size(); ++p)
        EXPECT_EQ(proposal.setOf[p] >= 0, torus.polygons[p].surface == "Other") << p;
    ApplyProposal(torus, proposal, "Other");
    for (const MeshPolygon &polygon : torus.polygons)
        if (polygon.surface != "Other") {
            EXPECT_TRUE(polygon.part.value_or("").starts_with("band"));
        }
}

// More polygons than one chunk of work, in bands of two surfaces: several chunks and the
// passes that join and share across them run at once.
TEST(ShapeProposal, ConcurrentlyMeasuredMeshGivesTheSameSetsEveryTime) {
    MeshData torus = MakeTorus(160, 128, 4);
    SetProposal first = ProposeSetsFromShape(torus), second = ProposeSetsFromShape(torus);
    EXPECT_EQ(first.setOf, second.setOf);
    EXPECT_EQ(first.sets, second.sets);
}

}  // namespace
