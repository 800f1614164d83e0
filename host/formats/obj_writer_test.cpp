#include "host/formats/obj_writer.h"

#include <gtest/gtest.h>

#include "host/formats/corner_blocks_testing.h"
#include "host/formats/obj_reader.h"
#include "host/formats/written_text_testing.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/sample_objects.h"

namespace {

TEST(ObjWriter, ReadingTheTextBackGivesTheSameMesh) {
    for (const SampleObject &sample : SampleObjects()) {
        if (!sample.fitsObj) continue;
        ObjectFile read = ParseObj(ObjText(sample.object), sample.stem);
        EXPECT_EQ(read.surfaces, sample.object.surfaces) << sample.stem;
        EXPECT_EQ(read.mesh, sample.object.mesh) << sample.stem;
    }
}

TEST(ObjWriter, StartsGroupsAndMaterialsWhereTheyChange) {
    ObjectFile object;
    object.filename = "/home/someone/private/tiny";  // the folders stay out of the file
    object.mesh.points = {{0, 0, 0}, {1, 0.5f, 0}};
    MeshPolygon a;
    a.points = {0, 1};
    a.part.emplace("P");
    a.surface.emplace("S");
    MeshPolygon b;
    b.points = {1, 0, 1};
    object.mesh.polygons = {a, b};
    EXPECT_EQ(ObjText(object),
              "# tiny\nv 0 0 0\nv 1 0.5 0\ng P\nusemtl S\nl 1 2\ng\nusemtl Default\nf 2 1 2\n");
}

// A LightWave object's UV map, surfaces and parts survive into the OBJ.
TEST(ObjWriter, WritesTextureCoordinatesWithTheirCorners) {
    ObjectFile object;
    object.mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{0, 1, 2}, {1, 3, 2}});
    object.mesh.textureCoordinates = {{0, 0}, {1, 0}, {0, 0.25f}};
    object.mesh.polygons[0].textureCorners = {0, 1, 2};
    object.mesh.polygons[1].part = "Lid";
    std::vector<CornerNormal> normals(6, CornerNormal{0, 0, 1});
    std::vector<CornerBlock> blocks = Blocks(object.mesh, normals);
    std::string obj = Written([&](std::FILE *out) { WriteObj(out, object, Handing(blocks)); });
    EXPECT_EQ(obj,
              "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
              "vt 0 0\nvt 1 0\nvt 0 0.25\n"
              "vn 0 0 1\n"
              "f 1/1/1 2/2/1 3/3/1\n"
              "g Lid\n"
              "f 2//1 4//1 3//1\n");
    ObjectFile read = ParseObj(obj, "again.obj");
    EXPECT_EQ(read.mesh.textureCoordinates, object.mesh.textureCoordinates);
    EXPECT_EQ(read.mesh.polygons[0].textureCorners, object.mesh.polygons[0].textureCorners);
}

// Z negated in points and normals and each face's corners the other way round from its first, so
// that a right-handed program sees the object as LightWave shows it; a line keeps its order and
// texture coordinates stay.
TEST(ObjWriter, WritesTheRightHandedFrameOnRequest) {
    ObjectFile object;
    object.mesh =
        MakeMesh({{0, 0, 1}, {1, 0, 1}, {1, 1, 0.5f}, {0, 1, 0.5f}}, {{0, 1, 2, 3}, {3, 0}});
    object.mesh.textureCoordinates = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    object.mesh.polygons[0].textureCorners = {0, 1, 2, 3};
    std::vector<CornerNormal> normals = {{0, 0, -1}, {0, 0.6, -0.8}, {0, 0.6, -0.8},
                                         {0, 0, -1}, {0, 0, -1},     {0, 0, -1}};
    std::vector<CornerBlock> blocks = Blocks(object.mesh, normals);
    EXPECT_EQ(Written([&](std::FILE *out) {
                  WriteObj(out, object, Handing(blocks), MeshFrame::rightHanded);
              }),
              "v 0 0 -1\nv 1 0 -1\nv 1 1 -0.5\nv 0 1 -0.5\n"
              "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
              "vn 0 0 1\nvn 0 0.6 0.8\n"
              "f 1/1/1 4/4/1 3/3/2 2/2/2\n"
              "l 4 1\n");
}

MeshData TriangleAndLine() {
    return MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 0.1f, 0}, {2, 2, 2}}, {{0, 1, 2}, {3, 0}});
}

std::string ObjWithNormals(const MeshData &mesh, const std::vector<CornerBlock> &blocks) {
    ObjectFile object;
    object.mesh = mesh;
    return Written([&](std::FILE *out) { WriteObj(out, object, Handing(blocks)); });
}

// Texts are the shortest that read back to the same floats, and the first two corners, whose
// normals are one float triple, share one `vn`; the line's corners need none.
TEST(ObjWriter, GivesFacesTheirCornersNormalsSharedAndKeepsLines) {
    std::vector<CornerNormal> normals = {
        {0, 0, 1}, {0, 0, 1.00000000001}, {0.1, 0, 1.0 / 3}, {1, 0, 0}, {1, 0, 0}};
    MeshData mesh = TriangleAndLine();
    EXPECT_EQ(ObjWithNormals(mesh, Blocks(mesh, normals)),
              "v 0 0 0\nv 1 0 0\nv 0 0.1 0\nv 2 2 2\n"
              "vn 0 0 1\nvn 0.1 0 0.33333334\n"
              "f 1//1 2//1 3//2\n"
              "l 4 1\n");
}

// A new normal comes just before its first face, numbered on from the earlier ones; normals seen
// before, in this block or an earlier one, are not written again.
TEST(ObjWriter, WritesEachNewNormalJustBeforeItsFirstFace) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}},
                             {{0, 1, 2}, {1, 3}, {1, 3, 2}, {2, 3, 1}});
    std::vector<CornerNormal> normals = {{0, 0, 1}, {0, 0, 1},  {0, 1, 0}, {7, 7, 7},
                                         {7, 7, 7}, {0, 1, 0},  {1, 0, 0}, {0, 0, 1},
                                         {0, 0, 1}, {0, 0, -1}, {1, 0, 0}};
    EXPECT_EQ(ObjWithNormals(mesh, Blocks(mesh, normals, {1, 2, 3})),
              "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\n"
              "vn 0 0 1\nvn 0 1 0\n"
              "f 1//1 2//1 3//2\n"
              "l 2 4\n"
              "vn 1 0 0\n"
              "f 2//2 4//3 3//1\n"
              "vn 0 0 -1\n"
              "f 3//1 4//4 2//3\n");
}

// Every statement kept with its spacing, comments and line ends; the input's normals replaced.
constexpr const char *kSceneObj =
    "# a scene\r\n"
    "mtllib scene.mtl\r\n"
    "o Crate\r\n"
    "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nv 1 1 0\r\n"
    "vt 0 0\r\nvt 1 0\r\nvt 0 1\r\n"
    "vn 0 0 1\r\n"
    "g Lid Top\r\n"
    "usemtl Wood\r\n"
    "s 1\r\n"
    "f 1/1/1  2/2/1 3/3/1 # the first\r\n"
    "p 4\r\n"
    "l 1 4 2\r\n"
    "usemtl Metal\r\n"
    "s off\r\n"
    "f -3//1\t-1//1 -2//1\r\n"
    "f 2 4 3";

TEST(ObjWriter, KeepsAnObjFilesStatementsAndChangesOnlyNormals) {
    ObjectFile read = ParseObj(kSceneObj, "scene.obj");
    const MeshData &mesh = read.mesh;
    ASSERT_EQ(mesh.polygons.size(), 6u);  // 3 faces, a point, two line segments
    std::vector<CornerNormal> normals(CornerCount(mesh), CornerNormal{0, 0, 1});
    normals[1] = {0, 0.6, 0.8};
    normals[5] = {0, 0.6, 0.8};
    normals[9] = {1, 0, 0};
    std::vector<CornerBlock> blocks = Blocks(mesh, normals, {2});
    std::string obj = Written(
        [&](std::FILE *out) { WriteObjWithNormals(out, kSceneObj, mesh, Handing(blocks)); });
    EXPECT_EQ(obj,
              "# a scene\r\n"
              "mtllib scene.mtl\r\n"
              "o Crate\r\n"
              "v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nv 1 1 0\r\n"
              "vt 0 0\r\nvt 1 0\r\nvt 0 1\r\n"
              "g Lid Top\r\n"
              "usemtl Wood\r\n"
              "s 1\r\n"
              "vn 0 0 1\nvn 0 0.6 0.8\n"
              "f 1/1/1  2/2/2 3/3/1 # the first\r\n"
              "p 4\r\n"
              "l 1 4 2\r\n"
              "usemtl Metal\r\n"
              "s off\r\n"
              "f -3//1\t-1//2 -2//1\r\n"
              "vn 1 0 0\n"
              "f 2//1 4//1 3//3");
    // Read back, it is the same mesh, now with normals of its own.
    MeshData again = ParseObj(obj, "again.obj").mesh;
    EXPECT_EQ(again.normals.size(), 3u);
    again.normals.clear();
    for (MeshPolygon &polygon : again.polygons) polygon.normalCorners.clear();
    EXPECT_EQ(again.points, mesh.points);
    EXPECT_EQ(again.textureCoordinates, mesh.textureCoordinates);
    ASSERT_EQ(again.polygons.size(), mesh.polygons.size());
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        EXPECT_EQ(again.polygons[p].points, mesh.polygons[p].points) << p;
        EXPECT_EQ(again.polygons[p].surface, mesh.polygons[p].surface) << p;
        EXPECT_EQ(again.polygons[p].part, mesh.polygons[p].part) << p;
        EXPECT_EQ(again.polygons[p].textureCorners, mesh.polygons[p].textureCorners) << p;
    }
}

}  // namespace
