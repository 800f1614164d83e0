#include "sets/shared_angles.h"

#include <gtest/gtest.h>

#include <numbers>

#include "host/scene/mesh_generators.h"

namespace {

// Two pairs of quads apart, each pair a set smoothed within the set only: the first folded by
// `firstFold` degrees and smoothed at 20, the second folded by `secondFold` and smoothed at 25.
struct TwoPairs {
    MeshData mesh;
    SetProposal proposal;
};

TwoPairs Pairs(double firstFold, double secondFold) {
    TwoPairs pairs{MakeFoldedGrid(2, 1, firstFold * std::numbers::pi / 180), {}};
    AppendMesh(pairs.mesh, MakeFoldedGrid(2, 1, secondFold * std::numbers::pi / 180));
    ProposedSet set;
    set.kind = SetKind::round;
    set.angleDegrees = 20;
    pairs.proposal.sets = {set, set};
    pairs.proposal.sets[1].angleDegrees = 25;
    pairs.proposal.setOf = {0, 0, 1, 1};
    return pairs;
}

double AngleOfSet(TwoPairs pairs, int set) {
    ShareAnglesChangingNoNormal(pairs.mesh, ModuleNeighbourhoodOf(pairs.mesh), pairs.proposal);
    return pairs.proposal.sets[set].angleDegrees;
}

TEST(SharedAngles, SetsTakeOneAngleWhereItCountsTheNeighboursTheirOwnDid) {
    // Both count their one fold at 25 degrees as at their own angle.
    EXPECT_EQ(AngleOfSet(Pairs(10, 23), 0), 25);
    EXPECT_EQ(AngleOfSet(Pairs(10, 23), 1), 25);
}

TEST(SharedAngles, ASetKeepsItsAngleWhereAnotherWouldCountOtherNeighbours) {
    // At 25 degrees the first would smooth across the fold its 20 leave crisp; at 20 the second
    // would leave crisp the fold its 25 smooth.
    EXPECT_EQ(AngleOfSet(Pairs(22, 23), 0), 20);
    EXPECT_EQ(AngleOfSet(Pairs(22, 23), 1), 25);
    TwoPairs apart = Pairs(10, 23);
    apart.proposal.sets[1].sameSetOnly = false;
    EXPECT_EQ(AngleOfSet(apart, 0), 20);
}

}  // namespace
