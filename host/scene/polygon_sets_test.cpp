#include "host/scene/polygon_sets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::ElementsAre;

MeshPolygon Tagged(const char *surface, PolygonTag part) {
    MeshPolygon polygon;
    polygon.surface = surface;
    polygon.part = std::move(part);
    return polygon;
}

// Sets interleaved across two surfaces, with an untagged polygon between them.
MeshData TwoSurfaces() {
    MeshData mesh;
    mesh.polygons = {Tagged("Metal", "rim"),  Tagged("Paint", "cap"), Tagged("Metal", std::nullopt),
                     Tagged("Metal", "bore"), Tagged("Paint", "rim"), Tagged("Metal", "rim")};
    return mesh;
}

TEST(PolygonSets, NamesComeInOrderOfFirstUseWithTheirPolygonCounts) {
    PolygonSets sets = CollectPolygonSets(TwoSurfaces());
    EXPECT_THAT(sets.names, ElementsAre("rim", "cap", "bore"));
    EXPECT_THAT(sets.polygonCounts, ElementsAre(3, 1, 1));
    EXPECT_THAT(sets.setOf, ElementsAre(0, 1, -1, 2, 0, 0));
    EXPECT_TRUE(sets.holds("bore"));
    EXPECT_FALSE(sets.holds("Metal"));
}

TEST(PolygonSets, ASurfaceCountsOnlyItsOwnPolygons) {
    PolygonSets metal = CollectPolygonSets(TwoSurfaces(), "Metal");
    EXPECT_THAT(metal.names, ElementsAre("rim", "bore"));
    EXPECT_THAT(metal.polygonCounts, ElementsAre(2, 1));
    EXPECT_THAT(metal.setOf, ElementsAre(0, -1, -1, 1, -1, 0));

    PolygonSets paint = CollectPolygonSets(TwoSurfaces(), "Paint");
    EXPECT_THAT(paint.names, ElementsAre("cap", "rim"));
    EXPECT_FALSE(paint.holds("bore"));
    EXPECT_TRUE(CollectPolygonSets(TwoSurfaces(), "Glass").names.empty());
}

}  // namespace
