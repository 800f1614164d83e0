#include "host/scene/geometric_normal.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace geometry {
namespace {

Vec3 NormalOfOnlyPolygon(std::vector<std::array<float, 3>> points, std::vector<int> corners) {
    MeshData mesh = MakeMesh(std::move(points), {std::move(corners)});
    return GeometricNormal(mesh, mesh.polygons[0]);
}

TEST(GeometricNormal, FollowsTheCornerOrder) {
    std::vector<std::array<float, 3>> triangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    EXPECT_EQ(NormalOfOnlyPolygon(triangle, {0, 1, 2}), (Vec3{0, 0, 1}));
    EXPECT_EQ(NormalOfOnlyPolygon(triangle, {0, 2, 1}), (Vec3{0, 0, -1}));
}

TEST(GeometricNormal, TakesCornersZeroOneAndLastOnly) {
    // Corner 2 lifted out of the plane of the other three: a normal over every corner would tilt.
    EXPECT_EQ(NormalOfOnlyPolygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 5}, {0, 1, 0}}, {0, 1, 2, 3}),
              (Vec3{0, 0, 1}));
}

TEST(GeometricNormal, IsZeroWithoutThreeCornersOffALine) {
    EXPECT_EQ(NormalOfOnlyPolygon({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {0, 1, 2}), Vec3{});
    EXPECT_EQ(NormalOfOnlyPolygon({{0, 0, 0}, {1, 0, 0}}, {0, 1}), Vec3{});
}

}  // namespace
}  // namespace geometry
