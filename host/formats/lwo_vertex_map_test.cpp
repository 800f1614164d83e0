#include "host/formats/lwo_vertex_map.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"
#include "host/formats/lwo2_normal_map_testing.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo3_reader.h"
#include "host/formats/lwo3_to_lwo2.h"
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

using Normal = std::array<float, 3>;
constexpr Normal kUp = {0, 0, 1}, kFold = {0, -1, 0};

std::vector<Normal> CornerNormals(const MeshData &mesh, std::size_t polygon) {
    std::vector<Normal> normals;
    for (int corner : mesh.polygons[polygon].normalCorners)
        normals.push_back(mesh.normals.at(std::size_t(corner)));
    return normals;
}

TEST(LwoNormalMap, ReadsEachCornersNormalFromThePointMapAndTheCornerMap) {
    MeshData mesh = ParseLwo2(lwo2_fixtures::FoldWithNormalMap(), "fold.lwo").mesh;
    EXPECT_EQ(mesh.normals.size(), 7u);  // five points, two corners of their own
    EXPECT_EQ(CornerNormals(mesh, 0), std::vector<Normal>(3, kUp));
    EXPECT_EQ(CornerNormals(mesh, 1), std::vector<Normal>(3, kUp));
    EXPECT_EQ(CornerNormals(mesh, 2), std::vector<Normal>(3, kFold));
    EXPECT_EQ(mesh.textureCoordinates.size(), 5u);
    EXPECT_EQ(mesh.polygons[2].textureCorners.size(), 3u);
}

// Two triangles over four points; `maps` writes the vertex map chunks after them.
std::vector<std::uint8_t> TwoTriangles(const std::function<void(IffWriter &)> &maps) {
    return FormBytes(kLwo2Id, [&](IffWriter &out) {
        Chunk(out, kPntsId, [](IffWriter &points) {
            for (int value = 0; value < 12; ++value) points.f4(float(value % 5));
        });
        Chunk(out, kPolsId, [](IffWriter &polygons) {
            polygons.id4(kFaceId);
            for (std::uint32_t first : {0u, 1u}) {
                polygons.u2(3);
                for (std::uint32_t point = first; point < first + 3; ++point) polygons.vx(point);
            }
        });
        maps(out);
    });
}

// A VMAD of `dimension` whose entries are { point, polygon }, each with the normal `value`.
void CornerMap(IffWriter &out, const char *name, std::uint16_t dimension,
               std::vector<std::pair<std::uint32_t, std::uint32_t>> entries, Normal value) {
    out.beginChunk(kVmadId);
    out.id4(kNormId);
    out.u2(dimension);
    out.s0(name);
    for (auto [point, polygon] : entries) {
        out.vx(point);
        out.vx(polygon);
        for (std::uint16_t component = 0; component < dimension; ++component)
            out.f4(value[component % 3]);
    }
    out.end();
}

TEST(LwoNormalMap, ReadsTheFirstMapGivenPerCornerAloneWhereItCoversAPolygon) {
    MeshData mesh = ParseLwo2(TwoTriangles([](IffWriter &out) {
                                  CornerMap(out, "Flat", 2, {{0, 0}, {1, 0}, {2, 0}}, kFold);
                                  CornerMap(out, "Normals", 4, {{0, 0}, {1, 0}}, kUp);
                                  CornerMap(out, "Other", 3, {{0, 0}}, kFold);
                                  CornerMap(out, "Normals", 4, {{2, 0}, {1, 1}}, kUp);
                              }),
                              "corners.lwo")
                        .mesh;
    EXPECT_EQ(mesh.normals, std::vector<Normal>(4, kUp));
    EXPECT_EQ(CornerNormals(mesh, 0), std::vector<Normal>(3, kUp));
    EXPECT_TRUE(mesh.polygons[1].normalCorners.empty());  // one corner of three has a normal
}

TEST(LwoNormalMap, RefusesACornerOfAPolygonTheObjectLacks) {
    auto bytes = TwoTriangles([](IffWriter &out) { CornerMap(out, "Normals", 3, {{0, 2}}, kUp); });
    EXPECT_THAT(FormatErrorOf([&] { ParseLwo2(bytes, "bad.lwo"); }),
                testing::AllOf(testing::HasSubstr("bad.lwo"), testing::HasSubstr("VMAD"),
                               testing::HasSubstr("polygon index 2 out of range (2)")));
}

TEST(LwoNormalMap, ReadsAnLwo3ObjectsMapAndKeepsItInTheConversion) {
    std::vector<std::uint8_t> lwo2 = lwo2_fixtures::FoldWithNormalMap(), lwo3 = lwo2;
    std::copy_n("LWO3", 4, lwo3.begin() + 8);
    MeshData expected = ParseLwo2(lwo2, "fold.lwo").mesh;
    EXPECT_EQ(ParseLwo3(lwo3, "fold.lwo").mesh, expected);
    EXPECT_EQ(ParseLwo2(ConvertLwo3ToLwo2(lwo3, "fold.lwo").bytes, "fold.lwo").mesh, expected);
}

}  // namespace
