#include "host/formats/glb_writer.h"

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cstring>
#include <system_error>

#include "host/formats/corner_blocks_testing.h"
#include "host/formats/written_text_testing.h"

namespace {

// Every corner in one block.
std::vector<CornerBlock> BlockOf(const MeshData &mesh, const std::vector<CornerNormal> &normals,
                                 const std::vector<CornerNormal> &hostNormals = {}) {
    return Blocks(mesh, normals, {}, hostNormals);
}

tinygltf::Model ReadBack(const std::string &bytes) {
    tinygltf::TinyGLTF gltf;
    tinygltf::Model model;
    std::string error, warning;
    bool read = gltf.LoadBinaryFromMemory(&model, &error, &warning,
                                          reinterpret_cast<const unsigned char *>(bytes.data()),
                                          static_cast<unsigned>(bytes.size()));
    EXPECT_TRUE(read) << error;
    EXPECT_EQ(warning, "");
    return model;
}

template <typename T>
std::vector<T> Values(const tinygltf::Model &model, int accessorIndex) {
    const tinygltf::Accessor &accessor = model.accessors.at(std::size_t(accessorIndex));
    const tinygltf::BufferView &view = model.bufferViews.at(std::size_t(accessor.bufferView));
    const unsigned char *begin =
        model.buffers[0].data.data() + view.byteOffset + accessor.byteOffset;
    std::vector<T> values(accessor.count);
    std::memcpy(values.data(), begin, values.size() * sizeof(T));
    return values;
}

using Float3 = std::array<float, 3>;
using Float2 = std::array<float, 2>;

std::vector<Float3> Attribute3(const tinygltf::Model &model, const tinygltf::Primitive &primitive,
                               const std::string &name) {
    return Values<Float3>(model, primitive.attributes.at(name));
}

// A quad of surface "Top" in set "Lid" and, on its own, a triangle of surface "Side" with no set,
// then a line.
ObjectFile QuadAndTriangle() {
    ObjectFile object;
    object.filename = "pieces.lwo";
    object.surfaces = {"Top", "Side"};
    MeshData &mesh = object.mesh;
    mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, {5, 0, 0}, {5, 1, 0}, {5, 0, 1}};
    mesh.polygons.resize(3);
    mesh.polygons[0].points = {0, 1, 2, 3};
    mesh.polygons[0].surface = "Top";
    mesh.polygons[0].part = "Lid";
    mesh.polygons[1].points = {4, 5, 6};
    mesh.polygons[1].surface = "Side";
    mesh.polygons[2].points = {0, 4};
    mesh.polygons[2].surface = "Top";
    return object;
}

std::vector<CornerNormal> QuadAndTriangleNormals() {
    return {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {1, 0, 0},
            {1, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 0, 1}};
}

std::string GlbOf(const ObjectFile &object, const std::vector<CornerBlock> &one,
                  const GlbOptions &options = {}) {
    return Written([&](std::FILE *out) { WriteGlb(out, object, Handing(one), options); });
}

TEST(GlbWriter, WritesOnePrimitivePerSurfaceWithItsMaterialAndLeavesLinesOut) {
    ObjectFile object = QuadAndTriangle();
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    ASSERT_EQ(model.meshes.size(), 1u);
    const std::vector<tinygltf::Primitive> &primitives = model.meshes[0].primitives;
    ASSERT_EQ(primitives.size(), 2u);
    EXPECT_EQ(model.materials.at(std::size_t(primitives[0].material)).name, "Top");
    EXPECT_EQ(model.materials.at(std::size_t(primitives[1].material)).name, "Side");
    EXPECT_EQ(model.accessors.at(std::size_t(primitives[0].indices)).count, 6u);
    EXPECT_EQ(model.accessors.at(std::size_t(primitives[1].indices)).count, 3u);
    ASSERT_EQ(model.scenes.size(), 1u);
    EXPECT_EQ(model.nodes.at(0).mesh, 0);
}

// LightWave colours may go beyond 1; glTF's base colour stops there.
TEST(GlbWriter, GivesMaterialsTheirSurfacesColours) {
    ObjectFile object = QuadAndTriangle();
    object.looks["Top"].colour = {0.5f, 2, 0.25f};
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    ASSERT_EQ(model.materials.size(), 2u);
    EXPECT_EQ(model.materials[0].pbrMetallicRoughness.baseColorFactor,
              (std::vector<double>{0.5, 1, 0.25, 1}));
    EXPECT_EQ(model.materials[1].pbrMetallicRoughness.baseColorFactor,
              (std::vector<double>{1, 1, 1, 1}));
}

// The fan (0, 1, 2), (0, 2, 3) turned around; Z negated in positions and normals.
TEST(GlbWriter, SplitsPolygonsIntoTheHostsFansInTheRightHandedFrame) {
    ObjectFile object = QuadAndTriangle();
    std::vector<CornerNormal> normals = QuadAndTriangleNormals();
    normals[2] = {0, 0.6, 0.8};
    std::vector<CornerBlock> one = BlockOf(object.mesh, normals);
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    const tinygltf::Primitive &quad = model.meshes[0].primitives[0];
    std::vector<std::uint32_t> indices = Values<std::uint32_t>(model, quad.indices);
    EXPECT_EQ(indices, (std::vector<std::uint32_t>{0, 2, 1, 0, 3, 2}));
    std::vector<Float3> positions = Attribute3(model, quad, "POSITION");
    EXPECT_EQ(positions, (std::vector<Float3>{{0, 0, 0}, {1, 0, 0}, {1, 0, -1}, {0, 0, -1}}));
    EXPECT_EQ(Attribute3(model, quad, "NORMAL")[2], (Float3{0, 0.6f, -0.8f}));
    const tinygltf::Accessor &bounds =
        model.accessors.at(std::size_t(quad.attributes.at("POSITION")));
    EXPECT_EQ(bounds.minValues, (std::vector<double>{0, 0, -1}));
    EXPECT_EQ(bounds.maxValues, (std::vector<double>{1, 0, 0}));
}

// Two triangles on one edge: its corners share vertices where the normals agree.
TEST(GlbWriter, SplitsAVertexOnlyWhereItsNormalDiffers) {
    ObjectFile object;
    object.surfaces = {"S"};
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    object.mesh.polygons.resize(2);
    object.mesh.polygons[0].points = {0, 1, 2};
    object.mesh.polygons[1].points = {1, 3, 2};
    for (MeshPolygon &polygon : object.mesh.polygons) polygon.surface = "S";
    std::vector<CornerNormal> normals(6, CornerNormal{0, 0, 1});
    normals[5] = {0, 0.6, 0.8};  // point 2 in the second triangle
    std::vector<CornerBlock> one = BlockOf(object.mesh, normals);
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    const tinygltf::Primitive &primitive = model.meshes[0].primitives[0];
    EXPECT_EQ(Attribute3(model, primitive, "POSITION").size(), 5u);
    EXPECT_EQ(Values<std::uint32_t>(model, primitive.indices),
              (std::vector<std::uint32_t>{0, 2, 1, 1, 4, 3}));
}

// v counts from the top in glTF; a corner whose coordinate differs from its point's (a seam)
// gets a vertex of its own.
TEST(GlbWriter, WritesTextureCoordinatesFlippedAndSplitsAtSeams) {
    ObjectFile object = QuadAndTriangle();
    object.mesh.textureCoordinates = {{0, 0}, {1, 0}, {1, 0.25f}, {0, 1}, {0.5f, 0.5f}};
    object.mesh.polygons[0].textureCorners = {0, 1, 2, 3};
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    const tinygltf::Primitive &quad = model.meshes[0].primitives[0];
    std::vector<Float2> uvs = Values<Float2>(model, quad.attributes.at("TEXCOORD_0"));
    EXPECT_EQ(uvs, (std::vector<Float2>{{0, 1}, {1, 1}, {1, 0.75f}, {0, 0}}));
    EXPECT_EQ(model.meshes[0].primitives[1].attributes.count("TEXCOORD_0"), 0u);

    object.mesh.polygons.push_back(object.mesh.polygons[0]);
    object.mesh.polygons.back().textureCorners = {0, 1, 4, 3};  // point 2 on a seam
    std::vector<CornerNormal> normals = QuadAndTriangleNormals();
    normals.insert(normals.end(), 4, CornerNormal{0, 1, 0});
    std::vector<CornerBlock> seam = BlockOf(object.mesh, normals);
    tinygltf::Model seamed = ReadBack(GlbOf(object, seam));
    EXPECT_EQ(Attribute3(seamed, seamed.meshes[0].primitives[0], "POSITION").size(), 5u);
}

TEST(GlbWriter, NamesEachVertexsSetInTheExtras) {
    ObjectFile object = QuadAndTriangle();
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    for (const tinygltf::Primitive &primitive : model.meshes[0].primitives) {
        ASSERT_TRUE(primitive.extras.Has("sets"));
        const tinygltf::Value &sets = primitive.extras.Get("sets");
        ASSERT_EQ(sets.ArrayLen(), 1u);
        EXPECT_EQ(sets.Get(0).Get<std::string>(), "Lid");
    }
    const std::vector<tinygltf::Primitive> &primitives = model.meshes[0].primitives;
    EXPECT_EQ(Values<float>(model, primitives[0].attributes.at("_SET")),
              (std::vector<float>(4, 0)));
    EXPECT_EQ(Values<float>(model, primitives[1].attributes.at("_SET")),
              (std::vector<float>(3, -1)));
}

// glTF's names are UTF-8; older objects' names are often Latin-1 bytes.
TEST(GlbWriter, WritesNamesThatAreNotUtf8AsLatin1) {
    ObjectFile object = QuadAndTriangle();
    object.filename = "caf\xE9.lwo";
    object.surfaces[0] = "M\xE9tal";
    object.mesh.polygons[0].surface = object.mesh.polygons[2].surface = "M\xE9tal";
    object.mesh.polygons[0].part = "Caf\xE9";
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    const tinygltf::Primitive &quad = model.meshes.at(0).primitives.at(0);
    EXPECT_EQ(model.materials.at(std::size_t(quad.material)).name, "M\xC3\xA9tal");
    EXPECT_EQ(quad.extras.Get("sets").Get(0).Get<std::string>(), "Caf\xC3\xA9");
    EXPECT_EQ(model.meshes[0].name, "caf\xC3\xA9.lwo");
    EXPECT_EQ(model.nodes.at(0).name, "caf\xC3\xA9.lwo");
}

TEST(GlbWriter, WritesTheHostsNormalsOnlyWhenAsked) {
    ObjectFile object = QuadAndTriangle();
    std::vector<CornerNormal> host(9, CornerNormal{0, 0, 1});
    std::vector<CornerBlock> plain = BlockOf(object.mesh, QuadAndTriangleNormals(), host);
    EXPECT_EQ(
        ReadBack(GlbOf(object, plain)).meshes[0].primitives[0].attributes.count("_NORMAL_HOST"),
        0u);
    std::vector<CornerBlock> asked = BlockOf(object.mesh, QuadAndTriangleNormals(), host);
    tinygltf::Model model = ReadBack(GlbOf(object, asked, {.hostNormals = true}));
    const tinygltf::Primitive &quad = model.meshes[0].primitives[0];
    EXPECT_EQ(Attribute3(model, quad, "_NORMAL_HOST"), (std::vector<Float3>(4, {0, 0, -1})));
}

// The quad repeats point 1: its first fan triangle covers nothing.
TEST(GlbWriter, LeavesOutTrianglesWithTwoCornersAtOnePosition) {
    ObjectFile object = QuadAndTriangle();
    object.mesh.polygons[0].points = {0, 1, 1, 2};
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    const tinygltf::Primitive &quad = model.meshes[0].primitives[0];
    EXPECT_EQ(Values<std::uint32_t>(model, quad.indices), (std::vector<std::uint32_t>{0, 2, 1}));
}

TEST(GlbWriter, WritesNoMeshForAnObjectOfLinesAlone) {
    ObjectFile object = QuadAndTriangle();
    object.mesh.polygons.erase(object.mesh.polygons.begin(), object.mesh.polygons.begin() + 2);
    std::vector<CornerBlock> one = BlockOf(object.mesh, {{0, 0, 1}, {0, 0, 1}});
    tinygltf::Model model = ReadBack(GlbOf(object, one));
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_TRUE(model.scenes.empty());
}

TEST(GlbWriter, ReportsAFailedWrite) {
    std::FILE *readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(readOnly, nullptr);
    ObjectFile object = QuadAndTriangle();
    std::vector<CornerBlock> one = BlockOf(object.mesh, QuadAndTriangleNormals());
    EXPECT_THROW(WriteGlb(readOnly, object, Handing(one)), std::system_error);
    std::fclose(readOnly);
}

}  // namespace
