// The record of a sample placed on a polygon by tests, without a ray.
#include <gtest/gtest.h>

#include "host/render/shading_record.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"

namespace render {
namespace {

TEST(ShadingRecordOnPolygon, QuadSamplesWeighTheirCornersBilinearly) {
    ObjectItem item{"Grid", MakeObjectFile("grid.lwo", MakeGrid(2, 1))};
    ShadingRecord sample = SampleOn(item, 1, 0.25f, 0.5f);
    const MeshData &mesh = item.file->mesh;
    EXPECT_EQ(sample->objID, ItemID(item));
    EXPECT_EQ(sample->polygon, PolygonID(mesh.polygons[1]));
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(sample->verts[slot], PointID(mesh, mesh.polygons[1].points[slot]));
    EXPECT_FLOAT_EQ(sample->weights[0], 0.375f);
    EXPECT_FLOAT_EQ(sample->weights[1], 0.125f);
    EXPECT_FLOAT_EQ(sample->weights[2], 0.125f);
    EXPECT_FLOAT_EQ(sample->weights[3], 0.375f);
    EXPECT_EQ(sample->gNorm[2], 1.0);
    EXPECT_EQ(sample->wNorm[2], 1.0);
    EXPECT_EQ(sample->wNorm0[2], 1.0);
}

TEST(ShadingRecordOnPolygon, OtherPolygonsWeighUpToFourCornersEqually) {
    ObjectItem item{"Odd", MakeObjectFile("odd.lwo", MakeOddPolygons(6))};
    ShadingRecord hexagon = SampleOn(item, 0);
    for (float weight : hexagon->weights) EXPECT_FLOAT_EQ(weight, 0.25f);
    ShadingRecord line = SampleOn(item, 1);
    EXPECT_FLOAT_EQ(line->weights[0], 0.5f);
    EXPECT_EQ(line->verts[2], nullptr);
    EXPECT_EQ(line->weights[2], 0.0f);
    EXPECT_EQ(line->gNorm[0], 0.0);
    EXPECT_EQ(line->gNorm[2], 0.0);
}

TEST(ShadingRecordOnPolygon, LeavesTheRoomAfterThePolygonMemberZero) {
    ObjectItem item{"Grid", MakeObjectFile("grid.lwo", MakeGrid(1, 1))};
    ShadingRecord sample = SampleOn(item, 0);
    const auto *bytes = reinterpret_cast<const unsigned char *>(&sample.access());
    for (std::size_t at = sizeof(LWShaderAccess); at < ShadingRecord::Bytes; ++at)
        ASSERT_EQ(bytes[at], 0) << "byte " << at;
}

}  // namespace
}  // namespace render
