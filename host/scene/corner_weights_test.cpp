#include "host/scene/corner_weights.h"

#include <gtest/gtest.h>

namespace geometry {
namespace {

MeshData Polygon(std::vector<std::array<float, 3>> points) {
    MeshData mesh;
    mesh.points = std::move(points);
    MeshPolygon polygon;
    for (int i = 0; i < static_cast<int>(mesh.points.size()); ++i) polygon.points.push_back(i);
    mesh.polygons.push_back(polygon);
    return mesh;
}

float Sum(const CornerWeights &w) {
    return w.weight[0] + w.weight[1] + w.weight[2] + w.weight[3];
}

TEST(CornerWeights, TriangleTakesTheBarycentricWeightsAndLeavesTheFourthSlotUnused) {
    MeshData mesh = Polygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    CornerWeights w =
        HitCornerWeights(mesh, mesh.polygons[0], {0, 0, 1}, 0, 0.25f, 0.5f, {0.25, 0.5, 0});
    EXPECT_EQ(w.corner[0], 0);
    EXPECT_EQ(w.corner[1], 1);
    EXPECT_EQ(w.corner[2], 2);
    EXPECT_EQ(w.corner[3], -1);
    EXPECT_FLOAT_EQ(w.weight[0], 0.25f);
    EXPECT_FLOAT_EQ(w.weight[1], 0.25f);
    EXPECT_FLOAT_EQ(w.weight[2], 0.5f);
    EXPECT_EQ(w.weight[3], 0);
}

TEST(CornerWeights, QuadWeighsAllFourCornersBilinearly) {
    // A trapezoid, tilted out of every axis plane, so that projection and shape both matter.
    MeshData mesh = Polygon({{0, 0, 0}, {4, 0, 1}, {3, 2, 1}, {1, 2, 0}});
    Vec3 normal = Normalize(Cross(Vec3{4, 0, 1}, Vec3{1, 2, 0}));
    auto at = [](double s, double t) {
        Vec3 a{0, 0, 0}, b{4, 0, 1}, c{3, 2, 1}, d{1, 2, 0};
        return (1 - s) * (1 - t) * a + s * (1 - t) * b + s * t * c + (1 - s) * t * d;
    };
    for (auto [s, t] : {std::pair{0.3, 0.6}, std::pair{0.9, 0.1}, std::pair{0.5, 0.5}}) {
        CornerWeights w = HitCornerWeights(mesh, mesh.polygons[0], normal, 0, 0, 0, at(s, t));
        for (int i = 0; i < 4; ++i) EXPECT_EQ(w.corner[i], i);
        EXPECT_NEAR(w.weight[0], (1 - s) * (1 - t), 1e-6);
        EXPECT_NEAR(w.weight[1], s * (1 - t), 1e-6);
        EXPECT_NEAR(w.weight[2], s * t, 1e-6);
        EXPECT_NEAR(Sum(w), 1, 1e-6);
    }
    CornerWeights corner = HitCornerWeights(mesh, mesh.polygons[0], normal, 1, 0, 1, {1, 2, 0});
    EXPECT_NEAR(corner.weight[3], 1, 1e-6);
}

TEST(CornerWeights, LargerPolygonsUseTheCornersOfTheHitTriangle) {
    MeshData mesh = Polygon({{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 3, 0}, {-1, 1, 0}});
    CornerWeights w = HitCornerWeights(mesh, mesh.polygons[0], {0, 0, 1}, 2, 0.5f, 0.25f, {});
    EXPECT_EQ(w.corner[0], 0);
    EXPECT_EQ(w.corner[1], 3);
    EXPECT_EQ(w.corner[2], 4);
    EXPECT_EQ(w.corner[3], -1);
    EXPECT_FLOAT_EQ(Sum(w), 1);
}

}  // namespace
}  // namespace geometry
