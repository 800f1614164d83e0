#include "host/scene/mesh_generators.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

namespace {

using Direction = std::array<double, 3>;

// The normal from corners 0, 1 and n - 1, as a shading module would take it.
Direction CornerNormal(const MeshData &mesh, const MeshPolygon &polygon) {
    auto at = [&](std::size_t corner) { return mesh.points[polygon.points[corner]]; };
    auto p0 = at(0), p1 = at(1), pn = at(polygon.points.size() - 1);
    Direction e1{p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
    Direction e2{pn[0] - p0[0], pn[1] - p0[1], pn[2] - p0[2]};
    Direction n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                e1[0] * e2[1] - e1[1] * e2[0]};
    double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    return {n[0] / length, n[1] / length, n[2] / length};
}

TEST(MeshGenerators, GridIsFlatFacingUpAndWelded) {
    MeshData grid = MakeGrid(4, 3, {.surface = "Skin", .part = "top"});
    EXPECT_EQ(grid.points.size(), 20u);
    ASSERT_EQ(grid.polygons.size(), 12u);
    for (const MeshPolygon &polygon : grid.polygons) {
        EXPECT_NEAR(CornerNormal(grid, polygon)[2], 1.0, 1e-6);
        EXPECT_EQ(polygon.part, "top");
        EXPECT_EQ(polygon.surface, "Skin");
    }
    EXPECT_EQ(grid.polygons[0].points[1], grid.polygons[1].points[0]);
}

TEST(MeshGenerators, FoldedGridHalvesMeetAtTheFoldAngle) {
    MeshData grid = MakeFoldedGrid(2, 1, 0.5);
    Direction left = CornerNormal(grid, grid.polygons[0]);
    Direction right = CornerNormal(grid, grid.polygons[1]);
    EXPECT_NEAR(left[0] * right[0] + left[1] * right[1] + left[2] * right[2], std::cos(0.5), 1e-6);
}

TEST(MeshGenerators, ClosedShapesFaceOutwards) {
    MeshData box = MakeBox();
    MeshData cylinder = MakeCylinder(8, 2, true, {});
    EXPECT_EQ(cylinder.polygons.size(), 18u);
    EXPECT_EQ(cylinder.polygons.back().points.size(), 8u);
    for (const MeshData *mesh : {&box, &cylinder}) {
        for (const MeshPolygon &polygon : mesh->polygons) {
            Direction normal = CornerNormal(*mesh, polygon);
            const auto &corner = mesh->points[polygon.points[0]];
            double centreZ = mesh == &box ? 0.0 : 0.5;
            EXPECT_GT(
                normal[0] * corner[0] + normal[1] * corner[1] + normal[2] * (corner[2] - centreZ),
                0.0);
        }
    }
}

Direction Centroid(const MeshData &mesh, const MeshPolygon &polygon) {
    Direction centroid{};
    for (int index : polygon.points)
        for (int axis = 0; axis < 3; ++axis)
            centroid[axis] += mesh.points[index][axis] / polygon.points.size();
    return centroid;
}

TEST(MeshGenerators, TwoSetShapesStandOnYFacingOutwardsInTheirSets) {
    MeshData cylinder = MakeTwoSetCylinder(6, 2, 3);
    for (const auto &point : cylinder.points) {
        EXPECT_NEAR(point[0] * point[0] + point[2] * point[2], 4.0, 1e-5);
        EXPECT_EQ(std::abs(point[1]), 1.5f);
    }
    std::multiset<std::string> cylinderSets;
    for (const MeshPolygon &polygon : cylinder.polygons) cylinderSets.insert(*polygon.part);
    EXPECT_EQ(cylinderSets.count("side"), 6u);
    EXPECT_EQ(cylinderSets.count("cap"), 2u);

    MeshData sphere = MakeTwoSetSphere(4, 8, 1.5f);
    EXPECT_EQ(sphere.polygons.size(), 32u);
    for (const MeshPolygon &polygon : sphere.polygons)
        EXPECT_EQ(Centroid(sphere, polygon)[1] > 0, polygon.part == "north");

    for (const MeshData *mesh : {&cylinder, &sphere}) {
        for (const MeshPolygon &polygon : mesh->polygons) {
            EXPECT_EQ(polygon.surface, "Body");
            Direction normal = CornerNormal(*mesh, polygon), centroid = Centroid(*mesh, polygon);
            EXPECT_GT(normal[0] * centroid[0] + normal[1] * centroid[1] + normal[2] * centroid[2],
                      0.0);
        }
    }
}

TEST(MeshGenerators, TorusBandsCarryTheirSetsAndAlternateSurfaces) {
    MeshData torus = MakeTorus(12, 6, 3);
    EXPECT_EQ(torus.points.size(), 72u);
    EXPECT_EQ(torus.polygons.size(), 72u);
    std::set<std::string> parts;
    for (const MeshPolygon &polygon : torus.polygons) parts.insert(*polygon.part);
    EXPECT_EQ(parts, (std::set<std::string>{"band0", "band1", "band2"}));
    EXPECT_EQ(torus.polygons[4].part, "band1");
    EXPECT_EQ(torus.polygons[4].surface, "Other");
    EXPECT_EQ(torus.polygons[0].surface, "Default");
}

TEST(MeshGenerators, SeamSharesPositionsButNoPoints) {
    MeshData seam = MakeUnweldedSeam(0.3);
    const MeshPolygon &left = seam.polygons[0], &right = seam.polygons[1];
    EXPECT_EQ(seam.points[left.points[1]], seam.points[right.points[0]]);
    EXPECT_NE(left.points[1], right.points[0]);
    for (int point : left.points)
        EXPECT_EQ(std::count(right.points.begin(), right.points.end(), point), 0);
}

TEST(MeshGenerators, OddPolygonsAllUsePointZero) {
    MeshData odd = MakeOddPolygons(5);
    ASSERT_EQ(odd.polygons.size(), 6u);
    EXPECT_EQ(odd.polygons[0].points.size(), 5u);
    EXPECT_EQ(odd.polygons[1].points.size(), 2u);
    EXPECT_EQ(odd.polygons[2].points.size(), 1u);
    EXPECT_EQ(std::count(odd.polygons[3].points.begin(), odd.polygons[3].points.end(), 0), 2);
    for (const MeshPolygon &polygon : odd.polygons) EXPECT_EQ(polygon.points[0], 0);
}

TEST(MeshGenerators, AppendedPiecesShareNothingAndFilesListTheirSurfaces) {
    MeshData mesh = MakeGrid(1, 1, {.surface = "A", .part = {}});
    AppendMesh(mesh, MakeBox({.surface = "B", .part = {}}));
    AppendMesh(mesh, MakeGrid(1, 1, {.surface = "A", .part = {}}));
    EXPECT_EQ(mesh.points.size(), 16u);
    for (int corner = 0; corner < 4; ++corner)
        EXPECT_EQ(mesh.polygons[1].points[corner], 4 + MakeBox().polygons[0].points[corner]);
    EXPECT_EQ(mesh.polygons.back().points[0], 12);
    auto file = MakeObjectFile("two.lwo", std::move(mesh));
    EXPECT_EQ(file->filename, "two.lwo");
    EXPECT_EQ(file->surfaces, (std::vector<std::string>{"A", "B"}));
}

}  // namespace
