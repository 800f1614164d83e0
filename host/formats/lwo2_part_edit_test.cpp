#include "host/formats/lwo2_part_edit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/lwo2_fixtures_testing.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_shader_compare_testing.h"

namespace {

using namespace lwo2_fixtures;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using Parts = std::vector<PolygonTag>;

// "Left" on every polygon but the last, which gets a set the file has no tag for.
Parts LeftButTheLastNew(std::size_t polygons) {
    Parts parts(polygons, "Left");
    parts.back() = "smoothing 2";
    return parts;
}

TEST(Lwo2PartEdit, ChangesNothingButThePartTagsAndTheTagList) {
    struct Fixture {
        const char *proves;
        Bytes bytes;
    };
    for (const Fixture &fixture : std::vector<Fixture>{
             {"several layers with pivots and parents", LayersWithPivotsAndParents()},
             {"UV and weight maps after the polygon tags", UvAndWeightMaps()},
             {"an odd-sized chunk with its pad byte", OddSizedChunkWithItsPadByte()},
             {"chunks of unknown kinds", ChunksOfUnknownKindsInTheFileAndInASurface()},
             {"all of them at once", ObjectWithEverything()},
         }) {
        SCOPED_TRACE(fixture.proves);
        ObjectFile original = ParseLwo2(fixture.bytes, "in.lwo");
        Parts parts = LeftButTheLastNew(original.mesh.polygons.size());
        Bytes edited = EditPartTags(fixture.bytes, "in.lwo", parts);

        EXPECT_EQ(DifferenceBeyondShaderData(fixture.bytes, edited, "KV_Velmora", {}, true), "");
        ObjectFile result = ParseLwo2(edited, "in.lwo");
        EXPECT_EQ(PartsOf(result.mesh), parts);
        for (MeshPolygon &polygon : result.mesh.polygons) polygon.part = "Left";
        for (MeshPolygon &polygon : original.mesh.polygons) polygon.part = "Left";
        EXPECT_EQ(result.mesh, original.mesh);
        EXPECT_EQ(result.surfaces, original.surfaces);
        EXPECT_EQ(result.shaders, original.shaders);
    }
}

TEST(Lwo2PartEdit, APolygonWithoutASetLosesItsPartTagAndARunWithoutSetsItsChunk) {
    Bytes bytes = LayersWithPivotsAndParents();
    Parts parts = {"Right", std::nullopt, std::nullopt};
    Bytes edited = EditPartTags(bytes, "in.lwo", parts);
    EXPECT_EQ(PartsOf(ParseLwo2(edited, "in.lwo").mesh), parts);
    EXPECT_EQ(DifferenceBeyondShaderData(bytes, edited, "KV_Velmora", {}, true), "");
    // Two PART chunks of one polygon fewer, one name of six bytes more.
    EXPECT_EQ(edited.size(), bytes.size() - 2 * 16 + 6);
}

TEST(Lwo2PartEdit, SetsOfTheNamesTheFileHasAddNoTags) {
    Bytes bytes = ObjectWithEverything();
    Parts parts = {"Left", "Body", "Left"};
    Bytes edited = EditPartTags(bytes, "in.lwo", parts);
    EXPECT_EQ(PartsOf(ParseLwo2(edited, "in.lwo").mesh), parts);
    EXPECT_EQ(edited.size(), bytes.size());
    EXPECT_EQ(EditPartTags(bytes, "in.lwo", {"Left", "Left", "Left"}), bytes);
}

// Four points and one quad in one layer, after `before`; no tags at all.
Bytes BareQuad(const std::function<void(IffWriter &)> &before) {
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    before(out);
    Layer(out, 0, {0, 0, 0}, "Base");
    out.beginChunk(kPntsId);
    for (int value = 0; value < 12; ++value) out.f4(float(value % 3 == 0));
    out.end();
    QuadPolygon(out);
    out.end();
    return out.take();
}

TEST(Lwo2PartEdit, AFileWithoutTagsGetsATagListBeforeItsPolygons) {
    Bytes bytes = BareQuad(NoChunks);
    Bytes edited = EditPartTags(bytes, "in.lwo", {"Rim"});
    EXPECT_EQ(PartsOf(ParseLwo2(edited, "in.lwo").mesh), Parts{"Rim"});
    EXPECT_EQ(DifferenceBeyondShaderData(bytes, edited, "KV_Velmora", {}, true), "");
}

// A writer may end its tag list on a name without the pad byte; the names added must still be
// read as names.
TEST(Lwo2PartEdit, NamesAddedAfterATagListOfOddSizeAreReadBack) {
    Bytes bytes = BareQuad([](IffWriter &out) {
        out.beginChunk(kTagsId);
        out.bytes(Bytes{'A', 'b', 0});
        out.end();
    });
    Bytes edited = EditPartTags(bytes, "in.lwo", {"Rim"});
    EXPECT_EQ(PartsOf(ParseLwo2(edited, "in.lwo").mesh), Parts{"Rim"});
}

TEST(Lwo2PartEdit, RefusesWhatItCannotWriteWhole) {
    Bytes bytes = ObjectWithEverything();
    EXPECT_EQ(FormatErrorOf([&] { EditPartTags(bytes, "in.lwo", {"Left"}); }),
              "in.lwo: 3 polygons, but sets for 1 were given");
    Bytes lateTags = Object(Tags, PlainBody);
    EXPECT_THAT(FormatErrorOf([&] { EditPartTags(lateTags, "late.lwo", {"New"}); }),
                AllOf(StartsWith("late.lwo: chunk TAGS at byte "), HasSubstr(" follows polygons")));
    EXPECT_EQ(PartsOf(ParseLwo2(EditPartTags(lateTags, "late.lwo", {"Glass"}), "late.lwo").mesh),
              Parts{"Glass"});
    EXPECT_THAT(FormatErrorOf([&] {
                    EditPartTags(Bytes{'F', 'O', 'R', 'M'}, "cut.lwo", {});
                }),
                HasSubstr("cut.lwo"));
}

TEST(Lwo2PartEdit, RefusesMoreTagsThanAPolygonTagCanName) {
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    out.beginChunk(kTagsId);
    for (int tag = 0; tag < 0xFFFF; ++tag) out.s0("t");
    out.end();
    Layer(out, 0, {0, 0, 0}, "Base");
    Quad(out, 0);
    Quad(out, 1);
    out.end();
    Bytes bytes = out.take();
    Bytes edited = EditPartTags(bytes, "many.lwo", {"t", "the 65536th"});
    EXPECT_EQ(PartsOf(ParseLwo2(edited, "many.lwo").mesh), (Parts{"t", "the 65536th"}));
    EXPECT_EQ(FormatErrorOf([&] {
                  EditPartTags(bytes, "many.lwo", {"one more", "two more"});
              }),
              "many.lwo: 65537 tags with the polygon sets, more than the 65536 a polygon tag "
              "can name");
}

}  // namespace
