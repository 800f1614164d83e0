#include "sets/polygon_edges.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/scene/mesh_generators.h"

namespace {

PolygonEdges EdgesOf(const MeshData &mesh) {
    return FindPolygonEdges(mesh, geometry::CollectPointPolygons(mesh));
}

std::vector<int> AcrossOf(const PolygonEdges &edges, int polygon) {
    return {edges.across.begin() + edges.firstCorner[polygon],
            edges.across.begin() + edges.firstCorner[polygon + 1]};
}

TEST(PolygonEdges, EveryEdgeOfAClosedBoxHasItsNeighbour) {
    MeshData box = MakeBox();
    PolygonEdges edges = EdgesOf(box);
    ASSERT_EQ(edges.across.size(), 24u);
    for (std::size_t p = 0; p < box.polygons.size(); ++p)
        for (std::size_t c = 0; c < 4; ++c) {
            int q = edges.across[edges.firstCorner[p] + c];
            ASSERT_GE(q, 0);
            EXPECT_NE(q, static_cast<int>(p));
        }
}

TEST(PolygonEdges, OpenNonManifoldAndBetweenSurfacesJoinNothing) {
    // Three quads on the edge 0-1, a fourth beside the first on another surface.
    MeshData mesh = MakeMesh({{0, 0, 0},
                              {1, 0, 0},
                              {1, 1, 0},
                              {0, 1, 0},
                              {1, 0, 1},
                              {0, 0, 1},
                              {1, -1, 0},
                              {0, -1, 0},
                              {2, 0, 0},
                              {2, 1, 0}},
                             {{0, 1, 2, 3}, {1, 0, 5, 4}, {0, 1, 6, 7}, {1, 8, 9, 2}});
    TagAll(mesh, {"A", {}});
    mesh.polygons[3].surface = "B";
    PolygonEdges edges = EdgesOf(mesh);
    EXPECT_EQ(AcrossOf(edges, 0), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(AcrossOf(edges, 3), (std::vector<int>{-1, -1, -1, -1}));
}

TEST(PolygonEdges, AnEdgeFromAPointToItselfJoinsNothing) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 1, 2}, {1, 0, 2}});
    PolygonEdges edges = EdgesOf(mesh);
    EXPECT_EQ(AcrossOf(edges, 0), (std::vector<int>{1, -1, 1, 1}));
    EXPECT_EQ(AcrossOf(edges, 1), (std::vector<int>{0, 0, 0}));
}

TEST(PolygonEdges, AFanOfManyTrianglesAroundOnePointFindsEveryNeighbour) {
    constexpr int Spokes = 40;  // more edges at the centre than a few, which are matched apart
    std::vector<std::array<float, 3>> points{{0, 0, 0}};
    std::vector<std::vector<int>> triangles;
    for (int spoke = 0; spoke < Spokes; ++spoke) {
        double angle = 2 * 3.14159265358979 * spoke / Spokes;
        points.push_back({float(std::cos(angle)), float(std::sin(angle)), 0});
        triangles.push_back({0, 1 + spoke, 1 + (spoke + 1) % Spokes});
    }
    PolygonEdges edges = EdgesOf(MakeMesh(points, triangles));
    for (int t = 0; t < Spokes; ++t)
        EXPECT_EQ(AcrossOf(edges, t),
                  (std::vector<int>{(t + Spokes - 1) % Spokes, -1, (t + 1) % Spokes}))
            << t;
}

TEST(PolygonEdges, APolygonOfTwoCornersUsesItsEdgeTwice) {
    // Its edge has two uses, both its own, so that it joins nothing, and the quad on it neither.
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1}, {1, 0, 3, 2}});
    PolygonEdges edges = EdgesOf(mesh);
    EXPECT_EQ(AcrossOf(edges, 0), (std::vector<int>{-1, -1}));
    EXPECT_EQ(AcrossOf(edges, 1), (std::vector<int>{-1, -1, -1, -1}));
}

TEST(PolygonEdges, AreaOfPlanarPolygonsAndOfNone) {
    MeshData grid = MakeGrid(2, 1);
    EXPECT_NEAR(PolygonArea(grid, grid.polygons[0]), 0.5, 1e-9);
    MeshData odd = MakeOddPolygons(5);
    EXPECT_EQ(PolygonArea(odd, odd.polygons[1]), 0);  // the line
}

}  // namespace
