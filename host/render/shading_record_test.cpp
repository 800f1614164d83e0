#include "host/render/shading_record.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace render {

using geometry::ComputeHostNormals;
using geometry::FromArray;
using geometry::HostNormals;
using geometry::Length;
using geometry::Vec3;

namespace {

LWPntID Point(const MeshData &mesh, int index) {
    return reinterpret_cast<LWPntID>(const_cast<std::array<float, 3> *>(&mesh.points[index]));
}

// A unit quad in the plane z = 0 facing -z, seen from +z so that the host must turn it.
ObjectItem Quad() {
    return MakeObjectItem("quad",
                          MakeMesh({{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{0, 1, 2, 3}}));
}

TEST(ShadingRecord, IsZeroWithRoomAfterThePolygonMember) {
    ShadingRecord record;
    record.access().polygon = reinterpret_cast<LWPolID>(&record);
    record.clear();
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&record.access());
    for (size_t i = 0; i < ShadingRecord::Bytes; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(ShadingRecord, FilledAsTheHostDoesForAHitOnAQuad) {
    ObjectItem item = Quad();
    const MeshData &mesh = item.file->mesh;
    HostNormals normals = ComputeHostNormals(mesh, {});
    Ray ray{{0.25, 0.5, 5}, {0, 0, -1}};
    // Fan triangle 0 is corners 0, 1, 2: (0.25, 0.5) = 0.5 p0 + 0.25 p1 + 0.25 p2.
    SampleSpot spot{7, 3, ray, {0, 0, 0.25f, 0.25f, 5}, 0.01};
    ShadingRecord buffer;
    LWShaderAccess &record = buffer.access();
    FillShadingRecord(record, item, normals, spot, 0);

    EXPECT_EQ(record.objID, &item);
    EXPECT_EQ(record.polygon,
              reinterpret_cast<LWPolID>(const_cast<MeshPolygon *>(&mesh.polygons[0])));
    EXPECT_EQ(record.polNum, 0);
    EXPECT_EQ(record.sx, 7);
    EXPECT_EQ(record.sy, 3);
    EXPECT_DOUBLE_EQ(record.wPos[0], 0.25);
    EXPECT_DOUBLE_EQ(record.wPos[1], 0.5);
    EXPECT_DOUBLE_EQ(record.oPos[2], 0);
    EXPECT_DOUBLE_EQ(record.raySource[2], 5);
    // The quad's own normal is -z; the camera looks from +z.
    EXPECT_EQ(record.gNorm[2], 1);
    EXPECT_EQ(record.wNorm0[2], 1);
    EXPECT_EQ(record.wNorm[2], 1);
    float sum = 0;
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(record.verts[slot], Point(mesh, slot));
        sum += record.weights[slot];
    }
    EXPECT_FLOAT_EQ(sum, 1);
    EXPECT_FLOAT_EQ(record.weights[0], 0.375f);  // bilinear (s, t) = (0.5, 0.25) from corner 0
    EXPECT_EQ(record.vertsWPos[2][0], 1);
}

TEST(ShadingRecord, BumpChangesOnlyTheFinalNormalAndKeepsItsSide) {
    ObjectItem item =
        MakeObjectItem("triangle", MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}));
    HostNormals normals = ComputeHostNormals(item.file->mesh, {});
    SampleSpot spot{0, 0, {{0.3, 0.3, -4}, {0, 0, 1}}, {0, 0, 0.3f, 0.3f, 4}, 0.01};
    ShadingRecord buffer;
    LWShaderAccess &record = buffer.access();
    FillShadingRecord(record, item, normals, spot, 9);
    EXPECT_EQ(record.wNorm0[2], -1);
    EXPECT_EQ(record.verts[3], nullptr);
    EXPECT_EQ(record.weights[3], 0);
    Vec3 bumped = FromArray(record.wNorm);
    EXPECT_NEAR(Length(bumped), 1, 1e-12);
    EXPECT_LT(bumped.z, -0.5);
    EXPECT_GT(std::abs(bumped.x) + std::abs(bumped.y), 0.01);
}

}  // namespace
}  // namespace render
