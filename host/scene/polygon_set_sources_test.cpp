#include "host/scene/polygon_set_sources.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "host/scene/polygon_sets.h"

namespace {

using ::testing::ElementsAre;

// Four quads in a row: surfaces "Metal", "Metal", "Paint", none; parts "Old" on the first two;
// smoothing groups 3, 0, 3, 12.
MeshData TaggedRow() {
    MeshData mesh = MakeGrid(4, 1, {"Metal", "Old"});
    mesh.polygons[2].surface = "Paint";
    mesh.polygons[2].part.reset();
    mesh.polygons[3].surface.reset();
    mesh.polygons[3].part.reset();
    const std::uint32_t groups[] = {3, 0, 3, 12};
    for (std::size_t i = 0; i < 4; ++i) mesh.polygons[i].smoothingGroup = groups[i];
    return mesh;
}

TEST(PolygonSetSources, SurfacesMakeOneSetPerSurfaceReplacingTheParts) {
    MeshData mesh = TaggedRow();
    MakePolygonSets(mesh, PolygonSetSource::surfaces);
    PolygonSets sets = CollectPolygonSets(mesh);
    EXPECT_THAT(sets.names, ElementsAre("Metal", "Paint"));
    EXPECT_THAT(sets.setOf, ElementsAre(0, 0, 1, -1));
}

TEST(PolygonSetSources, SmoothingGroupsMakeASetPerGroupAndLeaveGroupZeroWithout) {
    MeshData mesh = TaggedRow();
    MakePolygonSets(mesh, PolygonSetSource::smoothingGroups);
    PolygonSets sets = CollectPolygonSets(mesh);
    EXPECT_THAT(sets.names, ElementsAre("smoothing 3", "smoothing 12"));
    EXPECT_THAT(sets.setOf, ElementsAre(0, -1, 0, 1));
}

TEST(PolygonSetSources, GroupsKeepThePartsTheReaderMadeOfThem) {
    MeshData mesh = TaggedRow();
    MeshData before = mesh;
    MakePolygonSets(mesh, PolygonSetSource::groups);
    EXPECT_EQ(mesh, before);
}

TEST(PolygonSetSources, AreNamedByTheWordsUsersWrite) {
    EXPECT_EQ(PolygonSetSourceNamed("surfaces"), PolygonSetSource::surfaces);
    EXPECT_EQ(PolygonSetSourceNamed("groups"), PolygonSetSource::groups);
    EXPECT_EQ(PolygonSetSourceNamed("smoothing-groups"), PolygonSetSource::smoothingGroups);
    EXPECT_EQ(PolygonSetSourceNamed("smoothing"), std::nullopt);
}

}  // namespace
