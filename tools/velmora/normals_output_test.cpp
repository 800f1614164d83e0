#include "tools/velmora/normals_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Everything written to a temporary stream, as text.
template <typename Write>
std::string Written(Write write) {
    std::FILE *file = std::tmpfile();
    write(file);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
    std::fclose(file);
    return text;
}

MeshData TriangleAndLine() {
    MeshData mesh;
    mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 0.1f, 0}, {2, 2, 2}};
    mesh.polygons.resize(2);
    mesh.polygons[0].points = {0, 1, 2};
    mesh.polygons[1].points = {3, 0};
    return mesh;
}

TEST(NormalsOutput, CsvHasOneLinePerCornerWithSeventeenDigits) {
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0.1, 0, 1}, {0, -0.5, 1.0 / 3}, {1, 0, 0}, {0, 1, 0}};
    std::string csv =
        Written([&](std::FILE *out) { WriteNormalsCsv(out, 2, TriangleAndLine(), normals); });
    EXPECT_EQ(csv,
              "object,polygon,corner,point,nx,ny,nz\n"
              "2,0,0,0,0,0,1\n"
              "2,0,1,1,0.10000000000000001,0,1\n"
              "2,0,2,2,0,-0.5,0.33333333333333331\n"
              "2,1,0,3,1,0,0\n"
              "2,1,1,0,0,1,0\n");
}

// Texts are the shortest that read back to the same floats, and the first two corners, whose
// normals are one float triple, share one `vn`; the line's corners need none.
TEST(NormalsOutput, ObjGivesFacesTheirCornersNormalsSharedAndKeepsLines) {
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0, 0, 1.00000000001}, {0.1, 0, 1.0 / 3}, {1, 0, 0}, {1, 0, 0}};
    std::string obj =
        Written([&](std::FILE *out) { WriteNormalsObj(out, TriangleAndLine(), normals); });
    EXPECT_EQ(obj,
              "v 0 0 0\nv 1 0 0\nv 0 0.1 0\nv 2 2 2\n"
              "vn 0 0 1\nvn 0.1 0 0.33333334\n"
              "f 1//1 2//1 3//2\n"
              "l 4 1\n");
}

}  // namespace
