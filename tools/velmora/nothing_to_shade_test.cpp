#include "tools/velmora/nothing_to_shade.h"

#include <gtest/gtest.h>

namespace {

TEST(NothingToShade, NamesWhatAnObjectWithoutPolygonsHolds) {
    ObjectFile empty;
    empty.filename = "empty.obj";
    EXPECT_EQ(NothingToShade(empty), "empty.obj: no polygons to shade, only 0 points");
    ObjectFile lines = empty;
    lines.filename = "lines.obj";
    lines.mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    for (std::vector<int> corners : {std::vector<int>{0, 1}, {1, 2}, {2}}) {
        MeshPolygon polygon;
        polygon.points = corners;
        lines.mesh.polygons.push_back(polygon);
    }
    EXPECT_EQ(NothingToShade(lines),
              "lines.obj: no polygons to shade, only 3 points and 2 lines and 1 one-point "
              "polygon");
    EXPECT_EQ(PolygonCountText(lines.mesh), "3 polygons: 2 lines, 1 one-point polygon, no faces");
}

TEST(NothingToShade, PassesAnObjectWithOnePolygon) {
    ObjectFile one;
    one.mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    for (std::vector<int> corners : {std::vector<int>{0, 1}, {0, 1, 2}}) {
        MeshPolygon polygon;
        polygon.points = corners;
        one.mesh.polygons.push_back(polygon);
    }
    EXPECT_EQ(NothingToShade(one), std::nullopt);
    EXPECT_EQ(PolygonCountText(one.mesh), "2 polygons: 1 face, 1 line");
    one.mesh.polygons.erase(one.mesh.polygons.begin());
    EXPECT_EQ(PolygonCountText(one.mesh), "1 polygon");
}

}  // namespace
