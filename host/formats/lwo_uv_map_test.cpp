#include "host/formats/lwo_uv_map.h"

#include <gtest/gtest.h>

#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/seamed_quads_testing.h"

namespace {

// The seamed quads and a triangle through a point of its own, 6, which no corner of the layout
// reaches, all of one surface.
ObjectFile Seamed() {
    ObjectFile object = SeamedQuads();
    object.surfaces = {"Default"};
    object.mesh.points.push_back({3, 3, 0});
    object.mesh.polygons.emplace_back().points = {2, 6, 5};
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
