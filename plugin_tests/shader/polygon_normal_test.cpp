#include "shader/polygon_normal.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/services/mesh_accessor.h"

namespace {

class PolygonNormal : public ::testing::Test {
  protected:
    Vec3 normalOf(const MeshData &mesh, int polygon) {
        MeshCorners corners(mesh);
        LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
        Vec3 normal = polygonNormal(*accessor, PolygonID(mesh.polygons[polygon]));
        accessor->destroy(accessor);
        return normal;
    }
    MeshAccessLedger ledger;
};

TEST_F(PolygonNormal, UsesCornersZeroOneAndLast) {
    MeshData mesh;
    // Corner 2 would tilt the normal if it were used.
    mesh.points = {{0, 0, 0}, {2, 0, 0}, {2, 2, 5}, {0, 2, 0}};
    mesh.polygons.push_back({{0, 1, 2, 3}, LWPOLTYPE_FACE, {}, {}});
    EXPECT_EQ(normalOf(mesh, 0), (Vec3{0, 0, 1}));
    MeshAccessTotals totals = ledger.totals();
    EXPECT_EQ(totals[MeshCall::polSize], 1);
    EXPECT_EQ(totals[MeshCall::polVertex], 3);
    EXPECT_EQ(totals[MeshCall::pntOtherPos], 3);
    EXPECT_EQ(totals[MeshCall::pntBasePos], 0);
}

TEST_F(PolygonNormal, DegeneratePolygonsHaveNone) {
    MeshData odd = MakeOddPolygons(5);
    EXPECT_NEAR(normalOf(odd, 0).z, 1.0, 1e-12);  // the n-gon
    ledger.reset();
    EXPECT_EQ(normalOf(odd, 1), Vec3{});  // line
    EXPECT_EQ(normalOf(odd, 2), Vec3{});  // one point
    EXPECT_EQ(ledger.totals()[MeshCall::polVertex], 0);
    EXPECT_EQ(normalOf(odd, 3), Vec3{});  // corners 0 and n - 1 are one point
    EXPECT_EQ(normalOf(odd, 4), Vec3{});  // collinear
    EXPECT_EQ(normalOf(odd, 5), Vec3{});  // coincident
}

}  // namespace
