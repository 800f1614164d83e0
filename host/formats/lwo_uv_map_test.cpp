#include "host/formats/lwo_uv_map.h"

#include <gtest/gtest.h>

#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"

namespace {

// Two quads side by side whose shared edge is a seam of the UV layout at point 4, and a
// triangle through point 6, which no corner of the layout reaches.
ObjectFile Seamed() {
    ObjectFile object;
    object.surfaces = {"Default"};
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0},
                          {1, 1, 0}, {2, 1, 0}, {3, 3, 0}};
    object.mesh.textureCoordinates = {{0, 0},    {0.5f, 0}, {0, 1}, {0.5f, 1},
                                      {0.5f, 0}, {1, 0},    {1, 1}, {0.75f, 1}};
    object.mesh.polygons.resize(3);
    object.mesh.polygons[0].points = {0, 1, 4, 3};
    object.mesh.polygons[0].textureCorners = {0, 1, 3, 2};
    object.mesh.polygons[1].points = {1, 2, 5, 4};
    object.mesh.polygons[1].textureCorners = {4, 5, 6, 7};
    object.mesh.polygons[2].points = {2, 6, 5};
    for (MeshPolygon &polygon : object.mesh.polygons) polygon.surface = "Default";
    return object;
}

std::vector<std::array<float, 2>> CornerCoordinates(const MeshData &mesh, std::size_t polygon) {
    std::vector<std::array<float, 2>> coordinates;
    for (int corner : mesh.polygons[polygon].textureCorners)
        coordinates.push_back(mesh.textureCoordinates.at(std::size_t(corner)));
    return coordinates;
}

TEST(LwoUvMap, ReadsEachCornersCoordinateFromThePointMapAndTheSeams) {
    ObjectFile written = Seamed();
    ObjectFile read = ParseLwo2(EncodeLwo2(written, "seamed.lwo"), "seamed.lwo");
    for (std::size_t polygon = 0; polygon < 2; ++polygon)
        EXPECT_EQ(CornerCoordinates(read.mesh, polygon), CornerCoordinates(written.mesh, polygon));
    EXPECT_TRUE(read.mesh.polygons[2].textureCorners.empty());
}

TEST(LwoUvMap, LeavesAMeshWithoutAMapAsItWas) {
    ObjectFile written = Seamed();
    written.mesh.textureCoordinates.clear();
    for (MeshPolygon &polygon : written.mesh.polygons) polygon.textureCorners.clear();
    ObjectFile read = ParseLwo2(EncodeLwo2(written, "plain.lwo"), "plain.lwo");
    EXPECT_EQ(read.mesh, written.mesh);
}

}  // namespace
