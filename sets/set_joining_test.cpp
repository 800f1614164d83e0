#include "sets/set_joining.h"

#include <gtest/gtest.h>

#include "sets/folded_pair_testing.h"

namespace {

std::size_t SetsAfterJoining(FoldedPair pair) {
    JoinSetsChangingNoNormal(pair.mesh, ModuleNeighbourhoodOf(pair.mesh), pair.proposal);
    return pair.proposal.sets.size();
}

TEST(SetJoining, SetsSmoothedWithinThemselvesJoinOnlyWhereTheyMeetBeyondTheirAngle) {
    EXPECT_EQ(SetsAfterJoining(Folded(10, Flat())), 2u);
    EXPECT_EQ(SetsAfterJoining(Folded(19.9, Flat())), 2u);
    FoldedPair beyond = Folded(30, Flat());
    JoinSetsChangingNoNormal(beyond.mesh, ModuleNeighbourhoodOf(beyond.mesh), beyond.proposal);
    EXPECT_EQ(beyond.proposal.sets.size(), 1u);
    EXPECT_EQ(beyond.proposal.setOf, (std::vector<int>{0, 0}));
}

TEST(SetJoining, SetsSmoothedAcrossSetsOrNotAtAllJoinWhereverTheyMeet) {
    EXPECT_EQ(SetsAfterJoining(Folded(10, Flat(20, false))), 1u);
    EXPECT_EQ(SetsAfterJoining(Folded(10, Flat(20, true, false))), 1u);
}

TEST(SetJoining, SetsOfOtherSurfacesKindsOrSettingsStayApart) {
    FoldedPair surfaces = Folded(30, Flat());
    surfaces.mesh.polygons[1].surface = "Other";
    EXPECT_EQ(SetsAfterJoining(surfaces), 2u);
    FoldedPair kinds = Folded(30, Flat());
    kinds.proposal.sets[1].kind = SetKind::round;
    EXPECT_EQ(SetsAfterJoining(kinds), 2u);
    FoldedPair angles = Folded(30, Flat());
    angles.proposal.sets[1].angleDegrees = 25;
    EXPECT_EQ(SetsAfterJoining(angles), 2u);
}

TEST(SetJoining, AJoinedSetCountsTheCornersMeasuredInEachPart) {
    FoldedPair pair = Folded(30, Flat());
    pair.proposal.sets[0].cornersWithin = 1;
    pair.proposal.sets[0].cornersMeasured = 4;
    pair.proposal.sets[1].cornersWithin = 0.25;
    pair.proposal.sets[1].cornersMeasured = 4;
    JoinSetsChangingNoNormal(pair.mesh, ModuleNeighbourhoodOf(pair.mesh), pair.proposal);
    ASSERT_EQ(pair.proposal.sets.size(), 1u);
    EXPECT_EQ(pair.proposal.sets[0].cornersMeasured, 8);
    EXPECT_DOUBLE_EQ(pair.proposal.sets[0].cornersWithin, 5.0 / 8);
}

}  // namespace
