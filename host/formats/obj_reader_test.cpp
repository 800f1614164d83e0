#include "host/formats/obj_reader.h"

#include <gtest/gtest.h>

#include <cstdint>

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

TEST(ObjReader, FacesAndPointsThenLineSegmentsOnSharedPoints) {
    ObjectFile object = ParseObj(
        "v 0 0 0\nv 1 0 0\r\nv 1 1 0\rv 0 1 0\n"
        "l 1 2 3\n"
        "vn 0 0 1\n"
        "f 1//1 2//1 -2\n"  // the normals are dropped with one corner lacking; -2 counts back
        "p 2 -1\n"          // one-point polygons, among the faces
        "f 1 3 4\n"
        "l 4 1\n"
        "p 1\n",
        "lines.obj");
    EXPECT_EQ(object.filename, "lines.obj");
    ASSERT_EQ(object.mesh.points.size(), 4u);
    EXPECT_EQ(object.mesh.points[2], (std::array<float, 3>{1, 1, 0}));
    EXPECT_EQ(Corners(object), (std::vector<std::vector<int>>{
                                   {0, 1, 2}, {1}, {3}, {0, 2, 3}, {0}, {0, 1}, {1, 2}, {3, 0}}));
    EXPECT_EQ(object.mesh.polygons[5].type, LWID_('F', 'A', 'C', 'E'));
    EXPECT_TRUE(object.mesh.textureCoordinates.empty());
}

TEST(ObjReader, KeepsTheNormalsOfCornersThatAllHaveThem) {
    ObjectFile object = ParseObj(
        "v 0 0 0\nv 1 0 0\nv 1 1 0\n"
        "vn 0 0 1\nvn 0 0.5 0.5\n"
        "f 1//2 2//1 3//-1\n"
        "f 1/ 2//1 3//1\n",
        "normals.obj", {.chunkBytes = 12});
    EXPECT_EQ(object.mesh.normals, (std::vector<std::array<float, 3>>{{0, 0, 1}, {0, 0.5f, 0.5f}}));
    EXPECT_EQ(object.mesh.polygons[0].normalCorners, (std::vector<int>{1, 0, 1}));
    EXPECT_TRUE(object.mesh.polygons[1].normalCorners.empty());
}

TEST(ObjReader, KeepsTextureCoordinatesOfCornersThatAllHaveThem) {
    ObjectFile object = ParseObj(
        "v 0 0 0\nv 1 0 0\nv 1 1 0\n"
        "vt 0.5\nvt 0 1\nvt 1 1 0\n"
        "f 1/3 2/-1/ 3/1\n"
        "f 1 2 3\n"
        "l 1/2 3/1\n"
        "p 2/2\n",
        "uv.obj");
    EXPECT_EQ(object.mesh.textureCoordinates,
              (std::vector<std::array<float, 2>>{{0.5f, 0}, {0, 1}, {1, 1}}));
    std::vector<std::vector<int>> textureCorners;
    for (const MeshPolygon &polygon : object.mesh.polygons)
        textureCorners.push_back(polygon.textureCorners);
    EXPECT_EQ(textureCorners, (std::vector<std::vector<int>>{{2, 2, 0}, {}, {1}, {1, 0}}));
}

TEST(ObjReader, SmoothingGroupsGoToThePolygonsAfterThem) {
    ObjectFile object = ParseObj(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\n"
        "f 1 2 3\n"
        "s 4\nf 1 2 3\nl 1 2\n"
        "s off\nf 1 2 3\n"
        "s 12 7 0\np 1\n"  // several groups: the lowest
        "s 0\nf 1 2 3\n"
        "s 4294967295\nf 1 2 3\n",
        "smooth.obj");
    std::vector<std::uint32_t> groups;
    for (const MeshPolygon &polygon : object.mesh.polygons)
        groups.push_back(polygon.smoothingGroup);
    EXPECT_EQ(groups, (std::vector<std::uint32_t>{0, 4, 0, 7, 0, 4294967295u, 4}));
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
    // The polygons after one statement hold its name once between them, chunks or not.
    const std::vector<MeshPolygon> &polygons = object.mesh.polygons;
    EXPECT_EQ(&*polygons[1].part, &*polygons[5].part);
    EXPECT_EQ(&*polygons[1].surface, &*polygons[2].surface);
}

std::string ErrorOf(std::string_view text, const ObjReadWork &work = {}) {
    return FormatErrorOf([&] { ParseObj(text, "bad.obj", work); });
}

TEST(ObjReader, NamesFileLineOffsetColumnAndTheTextAtFault) {
    EXPECT_EQ(ErrorOf("v 0 0 0\nv 1 1 1\nf 1 2 3\n"),
              "bad.obj: line 3 at byte 16, column 7: point index \"3\" out of range (2 points)");
    EXPECT_EQ(ErrorOf("v 0 0 0\r\nf 1 -2 1\n"),
              "bad.obj: line 2 at byte 9, column 5: point index \"-2\" out of range (1 points)");
    EXPECT_EQ(ErrorOf("v 0 0 0\nf 1 x 1\n"),
              "bad.obj: line 2 at byte 8, column 5: point index \"x\" is not a number");
    EXPECT_EQ(ErrorOf("v 0 0 0\n\nl 1\n"),
              "bad.obj: line 3 at byte 9: a line needs at least two points");
    // Exponents of any length: a float too small reads as zero, as from_chars rounds it.
    EXPECT_EQ(ParseObj("vt 1 0\nv 1e-2147483649 +0.5 -1e-99999999999999999999\n", "ok.obj")
                  .mesh.points[0],
              (std::array<float, 3>{0, 0.5f, 0}));
    EXPECT_EQ(ParseObj("v 1e+0000000003 5E-1 0\ng e12345678901\n", "ok.obj").mesh.points[0],
              (std::array<float, 3>{1000, 0.5f, 0}));
}

TEST(ObjReader, RefusesIndicesOutOfRangeZeroPast32BitsOrNotNumbers) {
    const std::string points = "v 0 0 0\nv 1 0 0\nv 1 1 0\n";  // 24 bytes
    auto error = [&](const std::string &face) { return ErrorOf(points + face + "\n"); };
    EXPECT_EQ(error("f 1 2 4294967297"),
              "bad.obj: line 4 at byte 24, column 7: point index "
              "\"4294967297\" out of range (3 points)");
    EXPECT_EQ(error("f 1 2 -4294967295"),
              "bad.obj: line 4 at byte 24, column 7: point index "
              "\"-4294967295\" out of range (3 points)");
    EXPECT_EQ(error("f 1 2 99999999999999999999"),
              "bad.obj: line 4 at byte 24, column 7: point index \"99999999999999999999\" out of "
              "range (3 points)");
    EXPECT_EQ(error("f 0 1 2"),
              "bad.obj: line 4 at byte 24, column 3: point index \"0\" out of range (3 points)");
    EXPECT_EQ(error("f 1 2x 3"),
              "bad.obj: line 4 at byte 24, column 5: point index \"2x\" is not a number");
    EXPECT_EQ(error("f 1 2 3.0"),
              "bad.obj: line 4 at byte 24, column 7: point index \"3.0\" is not a number");
    EXPECT_EQ(error("f 1 /1 3"),
              "bad.obj: line 4 at byte 24, column 5: corner \"/1\" has no point index");
    EXPECT_EQ(error("f 1 2/1 3"),
              "bad.obj: line 4 at byte 24, column 7: texture index \"1\" out "
              "of range (0 texture coordinates)");
    EXPECT_EQ(error("vn 0 0 1\nf 1 2//2 3"),
              "bad.obj: line 5 at byte 33, column 8: normal "
              "index \"2\" out of range (1 normals)");
    EXPECT_EQ(error("f 1 2/1/1/1 3"),
              "bad.obj: line 4 at byte 24, column 5: corner \"2/1/1/1\" has more than three "
              "indices");
    EXPECT_EQ(error("vt 0 0\nf 1/1 2 3"),
              "bad.obj: line 5 at byte 31, column 7: corner \"2\" "
              "has no texture index, unlike the first");
    EXPECT_EQ(error("f 1 2 " + std::string(60, '7')),
              "bad.obj: line 4 at byte 24, column 7: point index "
              "\"7777777777777777777777777777777777777777...\" (60 bytes) out of range (3 points)");
    EXPECT_EQ(error("f 3 2 1 # a comment"), "no error");
    EXPECT_EQ(error("f"), "bad.obj: line 4 at byte 24: a face needs at least one point");
    EXPECT_EQ(error("p"), "bad.obj: line 4 at byte 24: a point statement needs a point");
    EXPECT_EQ(error("s x"),
              "bad.obj: line 4 at byte 24, column 3: smoothing group \"x\" is "
              "neither off nor a number from 0 to 4294967295");
    EXPECT_EQ(error("s 4294967296"),
              "bad.obj: line 4 at byte 24, column 3: smoothing group "
              "\"4294967296\" is neither off nor a number from 0 to "
              "4294967295");
    EXPECT_EQ(error("s"),
              "bad.obj: line 4 at byte 24: a smoothing statement needs a group number or off");
}

TEST(ObjReader, RefusesCoordinatesMissingNotNumbersOrNotFiniteFloats) {
    EXPECT_EQ(ErrorOf("v 0 0 0\nv a b c\n"),
              "bad.obj: line 2 at byte 8, column 3: coordinate \"a\" is not a number");
    EXPECT_EQ(ErrorOf("v 1 2\n"), "bad.obj: line 1 at byte 0: a point needs 3 coordinates, not 2");
    EXPECT_EQ(ErrorOf("v\n"), "bad.obj: line 1 at byte 0: a point needs 3 coordinates, not 0");
    EXPECT_EQ(ErrorOf("v inf 0 0\n"),
              "bad.obj: line 1 at byte 0, column 3: coordinate \"inf\" is not finite");
    EXPECT_EQ(ErrorOf("v 0 -nan 0\n"),
              "bad.obj: line 1 at byte 0, column 5: coordinate \"-nan\" is not finite");
    EXPECT_EQ(ErrorOf("v 0 0 1e39\n"),
              "bad.obj: line 1 at byte 0, column 7: coordinate \"1e39\" is too large for a "
              "32-bit float");
    EXPECT_EQ(ErrorOf("v 0 0 -3.4028236e38\n"),
              "bad.obj: line 1 at byte 0, column 7: coordinate \"-3.4028236e38\" is too large "
              "for a 32-bit float");
    EXPECT_EQ(ErrorOf("v 1 2 3 w\n"),
              "bad.obj: line 1 at byte 0, column 9: coordinate \"w\" is not a number");
    EXPECT_EQ(ErrorOf("v 1 2 0x3\n"),
              "bad.obj: line 1 at byte 0, column 7: coordinate \"0x3\" is not a number");
    EXPECT_EQ(ErrorOf("vt\n"),
              "bad.obj: line 1 at byte 0: a texture coordinate needs 1 component, not 0");
    EXPECT_EQ(ErrorOf("vn 0 1\n"), "bad.obj: line 1 at byte 0: a normal needs 3 components, not 2");
    EXPECT_EQ(ErrorOf("vt 0 1e40\n"),
              "bad.obj: line 1 at byte 0, column 6: component \"1e40\" is too large for a 32-bit "
              "float");
    // A weight, colours and a comment after the coordinates.
    EXPECT_EQ(ParseObj("v 1 2 3 1 0.5 0.5 0.5 # w r g b\n", "ok.obj").mesh.points[0],
              (std::array<float, 3>{1, 2, 3}));
    EXPECT_EQ(ParseObj("v 3.4028235e38 1e-45 -0\n", "ok.obj").mesh.points[0],
              (std::array<float, 3>{3.4028235e38f, 1e-45f, 0}));
}

TEST(ObjReader, RefusesFilesThatAreNotText) {
    using namespace std::string_literals;
    EXPECT_EQ(ErrorOf("FORM\0\0\0\x0cLWO2PNTS\0\0\0\0"s),
              "bad.obj: not an OBJ file: it starts with the IFF header \"FORM\"");
    EXPECT_EQ(ErrorOf("FORM"), "bad.obj: not an OBJ file: it starts with the IFF header \"FORM\"");
    EXPECT_EQ(ErrorOf("v 0 0 0\nv 1 0\0 0\n"s), "bad.obj: not an OBJ file: byte 13 is a NUL byte");
    // A byte order mark is not a statement; places still count it.
    EXPECT_EQ(ErrorOf("\xEF\xBB\xBFv 0 0 0\nf 2\n"),
              "bad.obj: line 2 at byte 11, column 3: point index \"2\" out of range (1 points)");
}

// Stress for time and memory: both run in linear time (the asan preset would take minutes
// otherwise) and neither crashes.
TEST(ObjReader, ReadsHugeLinesAndFaces) {
    std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\ng " + std::string(10'000'000, 'n') + "\nf";
    text.reserve(text.size() + 20'000'000);
    for (int corner = 0; corner < 10'000'000; ++corner) text += corner % 2 ? " 1" : " -1";
    text += "\n";
    ObjectFile object = ParseObj(text, "huge.obj");
    ASSERT_EQ(object.mesh.polygons.size(), 1u);
    EXPECT_EQ(object.mesh.polygons[0].points.size(), 10'000'000u);
    EXPECT_EQ(object.mesh.polygons[0].part->size(), 10'000'000u);
    text.back() = 'x';
    EXPECT_EQ(FormatErrorOf([&] { ParseObj(text, "huge.obj"); }),
              "huge.obj: line 5 at byte 10000027, column 25000001: point index \"1x\" is not a "
              "number");
}

TEST(ObjReader, RefusesTagTextOutOfProportionToTheFile) {
    std::string text = "g " + std::string(60000, 'n') + "\nv 0 0 0\n";
    for (int face = 0; face < 400; ++face) text += "f 1 1 1\n";
    EXPECT_EQ(FormatErrorOf([&] { ParseObj(text, "huge.obj"); }),
              "huge.obj: line 299 at byte 62379: polygon tags hold more text than 16 times the "
              "file's size");
}

// Every statement kind and state change, with relative indices reaching back across many lines,
// in a file of many small chunks.
std::string MixedObjText(int blocks) {
    std::string text = "mtllib lib.mtl\n";
    for (int block = 0; block < blocks; ++block) {
        std::string n = std::to_string(block);
        text += "v " + n + " 0 0\nv 0 " + n + ".5 0\r\nv 0 0 -" + n + "e-3\nvt 0." + n + " 1\n";
        if (block % 7 == 0) text += "g group " + n + "\n";
        if (block % 11 == 0) text += "o object" + n + "\n";
        if (block % 5 == 4) text += "usemtl surface" + std::to_string(block % 3) + "\n";
        if (block % 3 == 0) text += "s " + std::to_string(block % 4) + "\r";
        if (block % 13 == 0) text += "g\n# a comment\n\n";
        text += "f -1/-1 -2/-1 -3/-1 " + std::to_string(block * 3 + 1) + "/1\n";
        if (block > 2) text += "f -7 -4 -1\nl -9 -8 " + std::to_string(block) + "\np -5\n";
    }
    return text;
}

TEST(ObjReader, ReadsTheSameWhateverTheChunksAndThreads) {
    std::string text = MixedObjText(400);
    ObjectFile sequential = ParseObj(text, "mixed.obj", {1, text.size()});
    EXPECT_EQ(sequential.mesh.polygons.size(), 400 + 397 * 4u);
    EXPECT_EQ(sequential.surfaces.size(), 4u);  // "Default" and three from `usemtl`
    for (std::size_t chunkBytes : {1, 64, 1000, 50000})
        for (unsigned threads : {1u, 4u}) {
            ObjReadWork work{threads, chunkBytes};
            EXPECT_EQ(ParseObj(text, "mixed.obj", work), sequential)
                << chunkBytes << " " << threads;
        }
}

TEST(ObjReader, ReportsTheFirstProblemInTheFileWhateverTheChunks) {
    std::string text = MixedObjText(60);
    std::size_t late = text.find('\n', text.size() * 3 / 4) + 1;
    std::size_t early = text.find('\n', text.size() / 4) + 1;
    std::string syntaxLate = text, rangeLate = text;
    syntaxLate.insert(late, "v 1 x 1\n");
    rangeLate.insert(late, "f 99999\n");
    std::string bothEarly = rangeLate;  // a range problem before a syntax problem
    bothEarly.insert(early, "f 1 -99999\n");
    std::string overBudget = text + "g " + std::string(20000, 'n') + "\n";
    for (int face = 0; face < 1000; ++face) overBudget += "f 1 2 3\n";
    overBudget += "v a b c\n";
    std::vector<std::pair<std::string, std::string>> cases = {{syntaxLate, "\"x\""},
                                                              {rangeLate, "\"99999\""},
                                                              {bothEarly, "\"-99999\""},
                                                              {overBudget, "polygon tags"}};
    for (const auto &[bad, quoted] : cases) {
        std::string first = ErrorOf(bad, {1, bad.size()});
        EXPECT_NE(first.find(quoted), std::string::npos) << first;
        for (std::size_t chunkBytes : {1, 100, 3000})
            EXPECT_EQ(ErrorOf(bad, {4, chunkBytes}), first) << chunkBytes;
    }
}

TEST(ObjReader, ReadsBackOnePointPolygonsAsTheWriterWritesThem) {
    ObjectFile object;
    object.filename = "points.obj";
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    auto polygon = [](std::vector<int> points, const char *part) {
        MeshPolygon made;
        made.points = std::move(points);
        made.surface.emplace(kObjDefaultSurface);
        made.part.emplace(part);
        return made;
    };
    object.mesh.polygons = {polygon({2}, "a"), polygon({0, 1, 2}, "b"), polygon({1}, "b"),
                            polygon({0}, "c"), polygon({0, 2}, "c")};
    object.surfaces = {kObjDefaultSurface};
    object.smoothing[kObjDefaultSurface] = kDefaultSmoothingRadians;
    EXPECT_NE(ObjText(object).find("\np 2\n"), std::string::npos);
    EXPECT_EQ(ParseObj(ObjText(object), "points.obj"), object);
}

// Each prefix is held in a buffer of exactly its size, so that the asan preset sees any read past
// its end.
TEST(ObjReader, EveryPrefixIsReadOrRefusedAndNeverReadPastItsEndUnderAsan) {
    std::vector<std::string> texts = {
        "v 0 0 0\nv 1 0 0\nv 1 1 0\ng part\nusemtl Paint\nf 1 2 3\nl 1 3\no thing\nf -1 -2 -3\n"};
    for (const SampleObject &sample : SampleObjects())
        if (sample.fitsObj) texts.push_back(ObjText(sample.object));
    for (const std::string &text : texts) {
        for (std::size_t length = 0; length <= text.size(); ++length) {
            std::vector<char> prefix(text.begin(), text.begin() + std::ptrdiff_t(length));
            for (std::size_t chunkBytes : {std::size_t(1) << 20, std::size_t(7)})
                FormatErrorOf([&] {
                    ParseObj(std::string_view(prefix.data(), prefix.size()), "cut.obj",
                             {2, chunkBytes});
                });
        }
    }
}

}  // namespace
