#include "sets/polygon_edges.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

std::vector<int> AcrossOf(const PolygonEdges &edges, int polygon) {
    return {edges.across.begin() + edges.firstCorner[polygon],
            edges.across.begin() + edges.firstCorner[polygon + 1]};
}

TEST(PolygonEdges, EveryEdgeOfAClosedBoxHasItsNeighbour) {
    MeshData box = MakeBox();
    PolygonEdges edges = FindPolygonEdges(box);
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
    PolygonEdges edges = FindPolygonEdges(mesh);
    EXPECT_EQ(AcrossOf(edges, 0), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(AcrossOf(edges, 3), (std::vector<int>{-1, -1, -1, -1}));
}

TEST(PolygonEdges, AnEdgeFromAPointToItselfJoinsNothing) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 1, 2}, {1, 0, 2}});
    PolygonEdges edges = FindPolygonEdges(mesh);
    EXPECT_EQ(AcrossOf(edges, 0), (std::vector<int>{1, -1, 1, 1}));
    EXPECT_EQ(AcrossOf(edges, 1), (std::vector<int>{0, 0, 0}));
}

TEST(PolygonEdges, AreaOfPlanarPolygonsAndOfNone) {
    MeshData grid = MakeGrid(2, 1);
    EXPECT_NEAR(PolygonArea(grid, grid.polygons[0]), 0.5, 1e-9);
    MeshData odd = MakeOddPolygons(5);
    EXPECT_EQ(PolygonArea(odd, odd.polygons[1]), 0);  // the line
}

}  // namespace
