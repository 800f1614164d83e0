#include "sets/false_creases.h"

#include <gtest/gtest.h>

#include "sets/folded_pair_testing.h"

namespace {

SetProposal AfterJoins(FoldedPair pair) {
    const ModuleNeighbourhood module = ModuleNeighbourhoodOf(pair.mesh);
    const PolygonEdges edges = FindPolygonEdges(pair.mesh, module.around);
    std::vector<geometry::Vec3> shaded;
    for (const MeshPolygon &polygon : pair.mesh.polygons)
        shaded.push_back(Normalize(geometry::PolygonNormal(pair.mesh, polygon)));
    JoinSetsAcrossFalseCreases(pair.mesh, {module, edges, shaded}, pair.proposal);
    return pair.proposal;
}

ProposedSet OfKind(SetKind kind, double angleDegrees) {
    ProposedSet set = Flat(angleDegrees);
    set.kind = kind;
    return set;
}

// Two panels kept flat each would crease a fold the host smooths; a real crease stays.
TEST(FalseCreases, PanelsMeetingNearlyFlatJoinWhileACreaseStays) {
    EXPECT_EQ(AfterJoins(Folded(5, Flat())).sets.size(), 1u);
    EXPECT_EQ(AfterJoins(Folded(30, Flat())).sets.size(), 2u);
}

// Two rounds meeting within the larger one's angle are terraces of one; beyond it, or with a
// chamfer, the border is a crease.
TEST(FalseCreases, RoundsJoinWithinTheirAnglesButNotAChamfer) {
    FoldedPair terraces = Folded(25, OfKind(SetKind::round, 20));
    terraces.proposal.sets[1].angleDegrees = 30;
    SetProposal joined = AfterJoins(terraces);
    ASSERT_EQ(joined.sets.size(), 1u);
    EXPECT_GE(joined.sets[0].angleDegrees, 30);
    EXPECT_EQ(AfterJoins(Folded(40, OfKind(SetKind::round, 30))).sets.size(), 2u);
    FoldedPair bevelled = Folded(25, OfKind(SetKind::round, 30));
    bevelled.proposal.sets[1].kind = SetKind::chamfer;
    EXPECT_EQ(AfterJoins(bevelled).sets.size(), 2u);
}

}  // namespace
