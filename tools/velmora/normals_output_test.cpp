#include "tools/velmora/normals_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/formats/corner_blocks_testing.h"
#include "host/formats/written_text_testing.h"

namespace {

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

// Each polygon's corners the other way round from its first, numbered in that order, and the
// normals' Z negated: an exact mirror, in which a zero turns into -0.
TEST(NormalsOutput, CsvInTheRightHandedFrame) {
    MeshData mesh = TriangleAndLine();
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0.1, 0, 1}, {0, -0.5, 1.0 / 3}, {1, 0, 0.25}, {0, 1, 0}};
    std::vector<CornerBlock> blocks = Blocks(mesh, normals);
    std::string csv = Written([&](std::FILE *out) {
        WriteNormalsCsv(out, 0, mesh, Handing(blocks), MeshFrame::rightHanded);
    });
    EXPECT_EQ(csv,
              "object,polygon,corner,point,nx,ny,nz\n"
              "0,0,0,0,0,0,-1\n"
              "0,0,1,2,0,-0.5,-0.33333333333333331\n"
              "0,0,2,1,0.10000000000000001,0,-1\n"
              "0,1,0,3,1,0,-0.25\n"
              "0,1,1,0,0,1,-0\n");
}

}  // namespace
