#include "tools/velmora/normals_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/scene/mesh_generators.h"
#include "tools/velmora/written_text_testing.h"

namespace {

// Hands out `blocks` one after another.
NextCornerBlock Handing(const std::vector<CornerBlock> &blocks) {
    return [&blocks, next = std::size_t{0}]() mutable -> const CornerBlock * {
        return next < blocks.size() ? &blocks[next++] : nullptr;
    };
}

// `normals` of every corner of `mesh`, in blocks that begin at polygon 0 and at each of `cuts`.
std::vector<CornerBlock> Blocks(const MeshData &mesh, const std::vector<CornerNormal> &normals,
                                std::vector<std::size_t> cuts = {}) {
    cuts.push_back(mesh.polygons.size());
    std::vector<CornerBlock> blocks;
    std::size_t polygon = 0, corner = 0;
    for (std::size_t end : cuts) {
        CornerBlock &block = blocks.emplace_back();
        block.firstPolygon = polygon;
        for (; polygon < end; ++polygon)
            for (std::size_t c = 0; c < mesh.polygons[polygon].points.size(); ++c)
                block.normals.push_back(normals[corner++]);
        block.endPolygon = end;
    }
    return blocks;
}

MeshData TriangleAndLine() {
    MeshData mesh;
    mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 0.1f, 0}, {2, 2, 2}};
    mesh.polygons.resize(2);
    mesh.polygons[0].points = {0, 1, 2};
    mesh.polygons[1].points = {3, 0};
    return mesh;
}

// Blocks leave no trace in the text.
TEST(NormalsOutput, CsvHasOneLinePerCornerWithSeventeenDigits) {
    MeshData mesh = TriangleAndLine();
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0.1, 0, 1}, {0, -0.5, 1.0 / 3}, {1, 0, 0}, {0, 1, 0}};
    for (const std::vector<std::size_t> &cuts : {std::vector<std::size_t>{}, {1}}) {
        std::vector<CornerBlock> blocks = Blocks(mesh, normals, cuts);
        std::string csv =
            Written([&](std::FILE *out) { WriteNormalsCsv(out, 2, mesh, Handing(blocks)); });
        EXPECT_EQ(csv,
                  "object,polygon,corner,point,nx,ny,nz\n"
                  "2,0,0,0,0,0,1\n"
                  "2,0,1,1,0.10000000000000001,0,1\n"
                  "2,0,2,2,0,-0.5,0.33333333333333331\n"
                  "2,1,0,3,1,0,0\n"
                  "2,1,1,0,0,1,0\n");
    }
}

// Texts are the shortest that read back to the same floats, and the first two corners, whose
// normals are one float triple, share one `vn`; the line's corners need none.
TEST(NormalsOutput, ObjGivesFacesTheirCornersNormalsSharedAndKeepsLines) {
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0, 0, 1.00000000001}, {0.1, 0, 1.0 / 3}, {1, 0, 0}, {1, 0, 0}};
    MeshData mesh = TriangleAndLine();
    std::vector<CornerBlock> blocks = Blocks(mesh, normals);
    std::string obj = Written([&](std::FILE *out) { WriteNormalsObj(out, mesh, Handing(blocks)); });
    EXPECT_EQ(obj,
              "v 0 0 0\nv 1 0 0\nv 0 0.1 0\nv 2 2 2\n"
              "vn 0 0 1\nvn 0.1 0 0.33333334\n"
              "f 1//1 2//1 3//2\n"
              "l 4 1\n");
}

// A block's new normals come just before its polygons, numbered on from the earlier blocks';
// normals seen in an earlier block are not written again.
TEST(NormalsOutput, ObjWritesEachBlocksNewNormalsBeforeItsPolygons) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
                             {{0, 1, 2}, {1, 3}, {1, 3, 2}, {2, 3, 1}});
    std::vector<CornerNormal> normals = {{0, 0, 1}, {0, 0, 1},  {0, 1, 0}, {7, 7, 7},
                                         {7, 7, 7}, {0, 1, 0},  {1, 0, 0}, {0, 0, 1},
                                         {0, 0, 1}, {0, 0, -1}, {1, 0, 0}};
    std::vector<CornerBlock> blocks = Blocks(mesh, normals, {1, 2, 3});
    std::string obj = Written([&](std::FILE *out) { WriteNormalsObj(out, mesh, Handing(blocks)); });
    EXPECT_EQ(obj,
              "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
              "vn 0 0 1\nvn 0 1 0\n"
              "f 1//1 2//1 3//2\n"
              "l 2 4\n"
              "vn 1 0 0\n"
              "f 2//2 4//3 3//1\n"
              "vn 0 0 -1\n"
              "f 3//1 4//4 2//3\n");
}

}  // namespace
