#include "host/formats/obj_reader.h"

#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/obj_writer.h"
#include "host/scene/sample_objects.h"

namespace {

std::vector<std::vector<int>> Corners(const ObjectFile &object) {
    std::vector<std::vector<int>> corners;
    for (const MeshPolygon &polygon : object.mesh.polygons) corners.push_back(polygon.points);
    return corners;
}

std::vector<std::string> Parts(const ObjectFile &object) {
    std::vector<std::string> parts;
    for (const MeshPolygon &polygon : object.mesh.polygons)
        parts.push_back(polygon.part.value_or("(none)"));
    return parts;
}

std::vector<std::string> Surfaces(const ObjectFile &object) {
    std::vector<std::string> surfaces;
    for (const MeshPolygon &polygon : object.mesh.polygons)
        surfaces.push_back(polygon.surface.value_or("(none)"));
    return surfaces;
}

TEST(ObjReader, FacesThenLineSegmentsOnSharedPoints) {
    ObjectFile object = ParseObj(
        "v 0 0 0\nv 1 0 0\r\nv 1 1 0\rv 0 1 0\n"
        "l 1 2 3\n"
        "f 1/1/1 2//1 -2\n"  // texture and normal indices are dropped; -2 counts back
        "vn 0 0 1\n"
        "f 1 3 4\n"
        "l 4 1\n"
        "p 1\n",
        "lines.obj");
    EXPECT_EQ(object.filename, "lines.obj");
    ASSERT_EQ(object.mesh.points.size(), 4u);
    EXPECT_EQ(object.mesh.points[2], (std::array<float, 3>{1, 1, 0}));
    EXPECT_EQ(Corners(object),
              (std::vector<std::vector<int>>{{0, 1, 2}, {0, 2, 3}, {0, 1}, {1, 2}, {3, 0}}));
    EXPECT_EQ(object.mesh.polygons[2].type, LWID_('F', 'A', 'C', 'E'));
}

TEST(ObjReader, GroupsAndObjectsNamePartsMaterialsNameSurfaces) {
    ObjectFile object = ParseObj(
        "mtllib missing.mtl\n"
        "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
        "f 1 2 3\n"
        "g arm left\n"
        "usemtl Skin\n"
        "f 1 2 3\n"
        "l 1 2\n"
        "o  Robot \n"
        "f 1 2 3\n"
        "usemtl Metal\n"
        "g\n"
        "f 1 2 3\n"
        "usemtl Skin\n"
        "g leg\n"
        "f 1 2 3\n",
        "robot.obj");
    EXPECT_EQ(Parts(object), (std::vector<std::string>{"(none)", "arm left", "Robot", "(none)",
                                                       "leg", "arm left"}));
    EXPECT_EQ(Surfaces(object),
              (std::vector<std::string>{"Default", "Skin", "Skin", "Metal", "Skin", "Skin"}));
    EXPECT_EQ(object.surfaces, (std::vector<std::string>{"Default", "Skin", "Metal"}));
    EXPECT_TRUE(object.shaders.empty());
}

TEST(ObjReader, NamesFileLineOffsetAndProblem) {
    auto error = [](const char *text) { return FormatErrorOf([&] { ParseObj(text, "bad.obj"); }); };
    EXPECT_EQ(error("v 0 0 0\nv 1 1 1\nf 1 2 3\n"),
              "bad.obj: line 3 at byte 16: point index 3 out of range (2 points)");
    EXPECT_EQ(error("v 0 0 0\r\nf 1 -2 1\n"),
              "bad.obj: line 2 at byte 9: point index -2 out of range (1 points)");
    EXPECT_EQ(error("v 0 0 0\nf 1 x 1\n"),
              "bad.obj: line 2 at byte 8: point index 0 out of range (1 points)");
    EXPECT_EQ(error("v 0 0 0\n\nl 1\n"),
              "bad.obj: line 3 at byte 9: a line needs at least two points");
    // Found by fuzzing: tinyobjloader's exponent overflows an int beyond nine digits.
    EXPECT_EQ(error("vt 1 0\nv 1e-2147483649 0 0\n"),
              "bad.obj: line 2 at byte 7: a number's exponent has more than nine digits");
    EXPECT_EQ(ParseObj("v 1e+0000000003 5E-1 0\ng e12345678901\n", "ok.obj").mesh.points[0],
              (std::array<float, 3>{1000, 0.5f, 0}));
}

TEST(ObjReader, RefusesTagTextOutOfProportionToTheFile) {
    std::string text = "g " + std::string(60000, 'n') + "\nv 0 0 0\n";
    for (int face = 0; face < 400; ++face) text += "f 1 1 1\n";
    EXPECT_EQ(FormatErrorOf([&] { ParseObj(text, "huge.obj"); }),
              "huge.obj: line 299 at byte 62379: polygon tags hold more text than 16 times the "
              "file's size");
}

// Each prefix is held in a buffer of exactly its size, so that the asan preset sees any read past
// its end.
TEST(ObjReader, EveryPrefixOfEverySampleIsReadOrRefused) {
    std::vector<std::string> texts = {
        "v 0 0 0\nv 1 0 0\nv 1 1 0\ng part\nusemtl Paint\nf 1 2 3\nl 1 3\no thing\nf -1 -2 -3\n"};
    for (const SampleObject &sample : SampleObjects())
        if (sample.fitsObj) texts.push_back(ObjText(sample.object));
    for (const std::string &text : texts) {
        for (std::size_t length = 0; length <= text.size(); ++length) {
            std::vector<char> prefix(text.begin(), text.begin() + std::ptrdiff_t(length));
            FormatErrorOf(
                [&] { ParseObj(std::string_view(prefix.data(), prefix.size()), "cut.obj"); });
        }
    }
}

}  // namespace
