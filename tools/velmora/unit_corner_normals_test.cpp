#include "tools/velmora/unit_corner_normals.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

// A unit square in the XY plane (normal +Z), a triangle without area on its edge from point 0
// to point 1, another without area far away, on its own, and a line.
MeshData SquareWithFlatTriangles() {
    return MakeMesh(
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5f, 0, 0}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}},
        {{0, 1, 2, 3}, {0, 4, 1}, {5, 6, 7}, {0, 5}});
}

// `normals` of the polygons' corners, then the line's two, which are zero.
CornerBlock BlockOf(std::vector<CornerNormal> normals, std::vector<CornerNormal> hostNormals) {
    normals.resize(12);
    hostNormals.resize(12);
    return {0, 4, std::move(normals), std::move(hostNormals)};
}

TEST(UnitCornerNormals, KeepsNormalsThatHaveLengthAndCountsNone) {
    MeshData mesh = SquareWithFlatTriangles();
    std::vector<CornerNormal> normals(10, CornerNormal{0, 0.6, 0.8});
    CornerBlock block = BlockOf(normals, {});
    EXPECT_EQ(ReplaceZeroNormals(mesh, geometry::ComputeHostShape(mesh), block), 0u);
    normals.resize(12);
    EXPECT_EQ(block.normals, normals);
}

// The first flat triangle's corners take the host's normal where it has one, else the square's
// normal through their points; point 4 touches nothing with area, nor do the second's corners.
TEST(UnitCornerNormals, ReplacesZeroNormalsByTheHostsThenTheNeighboursThenUp) {
    MeshData mesh = SquareWithFlatTriangles();
    std::vector<CornerNormal> normals(4, CornerNormal{0, 0, 1});
    normals.resize(10);
    std::vector<CornerNormal> host(10);
    host[4] = {0, 0, -2};
    CornerBlock block = BlockOf(normals, host);
    EXPECT_EQ(ReplaceZeroNormals(mesh, geometry::ComputeHostShape(mesh), block), 6u);
    EXPECT_EQ(block.normals[4], (CornerNormal{0, 0, -1}));
    EXPECT_EQ(block.normals[5], (CornerNormal{0, 1, 0}));
    EXPECT_EQ(block.normals[6], (CornerNormal{0, 0, 1}));
    for (std::size_t corner = 7; corner < 10; ++corner)
        EXPECT_EQ(block.normals[corner], (CornerNormal{0, 1, 0}));
    EXPECT_EQ(block.normals[10], CornerNormal{});
}

TEST(UnitCornerNormals, TakesANonFiniteNormalForZero) {
    MeshData mesh = SquareWithFlatTriangles();
    std::vector<CornerNormal> normals(10, CornerNormal{0, 0, 1});
    normals[0] = {std::nan(""), 0, 0};
    std::vector<CornerNormal> host(10, CornerNormal{1, 0, 0});
    CornerBlock block = BlockOf(normals, host);
    EXPECT_EQ(ReplaceZeroNormals(mesh, geometry::ComputeHostShape(mesh), block), 1u);
    EXPECT_EQ(block.normals[0], (CornerNormal{1, 0, 0}));
}

}  // namespace
