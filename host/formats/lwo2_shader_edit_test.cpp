#include "host/formats/lwo2_shader_edit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/formats/format_error_testing.h"
#include "host/formats/lwo2_fixtures_testing.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_shader_compare_testing.h"

namespace {

using namespace lwo2_fixtures;
constexpr char kServer[] = "KV_Velmora";

struct Fixture {
    const char *proves;
    Bytes bytes;
};

std::vector<Fixture> Fixtures() {
    return {
        {"several layers with pivots and parents", LayersWithPivotsAndParents()},
        {"UV and weight maps", UvAndWeightMaps()},
        {"a discontinuous UV map", DiscontinuousUvMap()},
        {"an image clip in a texture block", ImageClipInATextureBlock()},
        {"another server's shader block", AnotherServersShaderBlock()},
        {"an odd-sized chunk with its pad byte", OddSizedChunkWithItsPadByte()},
        {"chunks of unknown kinds", ChunksOfUnknownKindsInTheFileAndInASurface()},
        {"envelope, bounding box, description, text and icon", EnvelopeBoxDescriptionTextAndIcon()},
        {"a disabled block with its own ordinal", DisabledBlockWithItsOwnOrdinal()},
        {"a surface only polygons name", SurfaceOnlyPolygonsName()},
        {"all of them at once", ObjectWithEverything()},
    };
}

// Odd-sized, so that the edited blocks need a pad byte.
Bytes NewSettings(const std::string &surface) {
    Bytes data(surface.begin(), surface.end());
    data.insert(data.end(), {0x3F, 0x80, 0x00, 0x00, 0x01});
    if (data.size() % 2 == 0) data.push_back(0x02);
    return data;
}

std::vector<SurfaceShaderData> NewSettingsOfEverySurface(const ObjectFile &object) {
    std::vector<SurfaceShaderData> edits;
    for (const std::string &surface : object.surfaces)
        edits.push_back({surface, NewSettings(surface)});
    return edits;
}

std::vector<ShaderBlock> ShadersOf(const ObjectFile &object, bool ours) {
    std::vector<ShaderBlock> shaders;
    for (const ShaderBlock &shader : object.shaders)
        if ((shader.server == kServer) == ours) shaders.push_back(shader);
    return shaders;
}

TEST(Lwo2ShaderEdit, ChangesNothingButTheShaderDataOfTheSurfacesAskedFor) {
    for (const Fixture &fixture : Fixtures()) {
        SCOPED_TRACE(fixture.proves);
        ObjectFile original = ParseLwo2(fixture.bytes, "in.lwo");
        std::vector<SurfaceShaderData> edits = NewSettingsOfEverySurface(original);
        Bytes edited = EditShaderBlocks(fixture.bytes, "in.lwo", kServer, edits).bytes;

        std::vector<std::string> surfaces = original.surfaces;
        EXPECT_EQ(DifferenceBeyondShaderData(fixture.bytes, edited, kServer, surfaces), "");
        ObjectFile result = ParseLwo2(edited, "in.lwo");
        EXPECT_EQ(result.mesh, original.mesh);
        EXPECT_EQ(result.surfaces, original.surfaces);
        EXPECT_EQ(ShadersOf(result, false), ShadersOf(original, false));
        std::vector<ShaderBlock> ours = ShadersOf(result, true);
        ASSERT_EQ(ours.size(), edits.size());
        for (std::size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i].surface, edits[i].surface);
            EXPECT_EQ(ours[i].data, edits[i].data);
        }
    }
}

TEST(Lwo2ShaderEdit, GivesBackTheSameBytesWhenTheDataIsTheSame) {
    Bytes original = DisabledBlockWithItsOwnOrdinal();
    EXPECT_EQ(EditShaderBlocks(original, "in.lwo", kServer, {{"Body", {1, 2, 3, 4}}}).bytes,
              original);
}

TEST(Lwo2ShaderEdit, LeavesTheBlocksOfSurfacesNotAskedFor) {
    Bytes original = DisabledBlockWithItsOwnOrdinal();
    Lwo2ShaderEdit edit = EditShaderBlocks(original, "in.lwo", kServer, {});
    EXPECT_EQ(edit.bytes, original);
    EXPECT_TRUE(edit.notes.empty());
}

TEST(Lwo2ShaderEdit, KeepsTheOrdinalAndEnableFlagOfAnExistingBlockAndSaysItStaysDisabled) {
    Lwo2ShaderEdit edit =
        EditShaderBlocks(DisabledBlockWithItsOwnOrdinal(), "in.lwo", kServer, {{"Body", {5}}});
    ObjectFile result = ParseLwo2(edit.bytes, "in.lwo");
    ASSERT_EQ(result.shaders.size(), 1u);
    EXPECT_EQ(result.shaders[0], (ShaderBlock{"Body", "\x90\x41", false, kServer, {5}}));
    EXPECT_EQ(edit.notes, (std::vector<std::string>{
                              "surface \"Body\": new settings in its KV_Velmora block",
                              "surface \"Body\": its KV_Velmora block is disabled in the file and "
                              "stays disabled: the settings take effect once it is enabled"}));
}

TEST(Lwo2ShaderEdit, AddsAnEnabledBlockThatSortsAfterTheSurfaceOtherBlocks) {
    Bytes original = AnotherServersShaderBlock();
    Lwo2ShaderEdit edit = EditShaderBlocks(original, "in.lwo", kServer, {{"Body", {5, 6}}});
    ObjectFile result = ParseLwo2(edit.bytes, "in.lwo");
    ASSERT_EQ(result.shaders.size(), 2u);
    EXPECT_EQ(result.shaders[1], (ShaderBlock{"Body", "\x88\x80", true, kServer, {5, 6}}));
    EXPECT_EQ(edit.notes, std::vector<std::string>{
                              "surface \"Body\": KV_Velmora block added after its other blocks"});
    // The texture block's ordinal counts too.
    result = ParseLwo2(
        EditShaderBlocks(ImageClipInATextureBlock(), "in.lwo", kServer, {{"Body", {}}}).bytes,
        "in.lwo");
    EXPECT_EQ(result.shaders.at(0).ordinal, "\x80\x80");
    result = ParseLwo2(
        EditShaderBlocks(LayersWithPivotsAndParents(), "in.lwo", kServer, {{"Body", {}}}).bytes,
        "in.lwo");
    EXPECT_EQ(result.shaders.at(0).ordinal, "\x80");
}

TEST(Lwo2ShaderEdit, AddsASurfaceChunkForASurfaceOnlyPolygonsNameAndSaysSo) {
    Lwo2ShaderEdit edit =
        EditShaderBlocks(SurfaceOnlyPolygonsName(), "in.lwo", kServer, {{"Glass", {3}}});
    ObjectFile result = ParseLwo2(edit.bytes, "in.lwo");
    EXPECT_EQ(result.shaders, (std::vector<ShaderBlock>{{"Glass", "\x80", true, kServer, {3}}}));
    EXPECT_EQ(edit.notes, std::vector<std::string>{
                              "surface \"Glass\" had no SURF chunk (the host gives it default "
                              "attributes): one was added at the end of the object, holding only "
                              "the KV_Velmora block"});
}

TEST(Lwo2ShaderEdit, StartsAnAddedBlockOnAnEvenByteAfterASubChunkWithoutItsPad) {
    // A surface whose last sub-chunk is odd-sized and ends the chunk without its pad byte.
    Bytes original = ChunksOfUnknownKindsInTheFileAndInASurface();
    const std::string surfId = "SURF";
    auto surf = std::find_end(original.begin(), original.end(), surfId.begin(), surfId.end());
    original.pop_back();  // the pad byte of QSUB, the last byte of the file
    --surf[7];
    std::size_t formSize = original.size() - 8;
    for (int i = 0; i < 4; ++i)
        original[std::size_t(4 + i)] = std::uint8_t(formSize >> (24 - 8 * i));
    ASSERT_EQ(ParseLwo2(original, "in.lwo").surfaces, std::vector<std::string>{"Body"});

    Bytes edited = EditShaderBlocks(original, "in.lwo", kServer, {{"Body", {1}}}).bytes;
    EXPECT_EQ(ParseLwo2(edited, "in.lwo").shaders,
              (std::vector<ShaderBlock>{{"Body", "\x80", true, kServer, {1}}}));
}

TEST(Lwo2ShaderEdit, RefusesABlockPastWhatASubChunkHolds) {
    // BLOK: 6 (SHDR header) + 2 (ordinal) + 8 (ENAB) + 6 (FUNC header) + 12 (name) + data, and
    // a pad byte when the data is odd: 65500 data bytes make 65534.
    Bytes original = LayersWithPivotsAndParents();
    SurfaceShaderData largest{"Body", Bytes(65500, 0x5A)};
    EXPECT_EQ(ParseLwo2(EditShaderBlocks(original, "in.lwo", kServer, {largest}).bytes, "in.lwo")
                  .shaders.at(0)
                  .data,
              largest.data);
    largest.data.push_back(0x5A);
    EXPECT_EQ(FormatErrorOf([&] { EditShaderBlocks(original, "in.lwo", kServer, {largest}); }),
              "in.lwo: surface \"Body\": a KV_Velmora block with 65501 data bytes would take "
              "65536 bytes, more than the 65535 a sub-chunk holds");
    // An existing block's header counts: "\x90\x41" and CHAN take 2 + 10 bytes more.
    EXPECT_EQ(FormatErrorOf([&] {
                  EditShaderBlocks(DisabledBlockWithItsOwnOrdinal(), "in.lwo", kServer,
                                   {{"Body", Bytes(65490, 0)}});
              }),
              "in.lwo: surface \"Body\": a KV_Velmora block with 65490 data bytes would take "
              "65536 bytes, more than the 65535 a sub-chunk holds");
}

TEST(Lwo2ShaderEdit, RefusesWhatIsNotAnLwo2Object) {
    Bytes object = LayersWithPivotsAndParents();
    EXPECT_TRUE(IsLwo2Object(object));
    EXPECT_FALSE(IsLwo2Object(Bytes(object.begin(), object.begin() + 11)));
    Bytes other = object;
    other[8] = 'X';
    EXPECT_FALSE(IsLwo2Object(other));
    EXPECT_EQ(FormatErrorOf([&] { EditShaderBlocks(other, "in.lwo", kServer, {}); }),
              "in.lwo: not an LWO2 object (form type XWO2)");
    other = object;
    other[0] = 'C';
    EXPECT_FALSE(IsLwo2Object(other));
    EXPECT_EQ(FormatErrorOf([&] { EditShaderBlocks(other, "in.lwo", kServer, {}); }),
              "in.lwo: not an IFF file (starts with CORM)");
    other.assign(object.begin(), object.begin() + 100);
    EXPECT_NE(FormatErrorOf([&] { EditShaderBlocks(other, "cut.lwo", kServer, {}); }), "no error");
}

TEST(Lwo2ShaderEdit, ChangedShaderDataLeavesOutWhatTheFileAlreadyStores) {
    ObjectFile before;
    before.shaders = {{"Body", "\x80", true, kServer, {1}},
                      {"Glass", "\x80", true, kServer, {2}},
                      {"Glass", "\x81", true, "OtherShader", {3}}};
    std::vector<ShaderBlock> after = {{"Body", "\x80", true, kServer, {1}},
                                      {"Glass", "\x81", true, "OtherShader", {4}},
                                      {"Glass", "\x80", true, kServer, {5}},
                                      {"Trim", "\x80", true, kServer, {1}}};
    std::vector<SurfaceShaderData> changed = ChangedShaderData(before, after, kServer);
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].surface, "Glass");
    EXPECT_EQ(changed[0].data, Bytes{5});
    EXPECT_EQ(changed[1].surface, "Trim");
}

// Every cut and every changed size field ends in an edit or a FormatError, never in a read past
// the bytes given (the sanitizer builds watch for that).
TEST(Lwo2ShaderEdit, DamagedObjectsAreEditedOrRefusedAndNeverOverreadUnderAsan) {
    const Bytes whole = ObjectWithEverything();
    auto edit = [](const Bytes &bytes) {
        try {
            EditShaderBlocks(bytes, "in.lwo", kServer, {{"Body", {1, 2, 3}}, {"Glass", {4}}});
        } catch (const FormatError &) {
        }
    };
    for (std::size_t size = 0; size < whole.size(); ++size)
        edit(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(size)));
    for (std::size_t at = 0; at < whole.size(); ++at) {
        for (std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
            Bytes damaged = whole;
            damaged[at] = value;
            edit(damaged);
        }
    }
}

// The comparison the first test relies on finds what an edit must not change.
TEST(Lwo2ShaderEdit, ComparisonFindsEveryOtherChange) {
    Bytes original = UvAndWeightMaps();
    Bytes edited = EditShaderBlocks(original, "in.lwo", kServer, {{"Body", {1}}}).bytes;
    const std::vector<std::string> body{"Body"};
    ASSERT_EQ(DifferenceBeyondShaderData(original, edited, kServer, body), "");
    EXPECT_NE(DifferenceBeyondShaderData(original, edited, kServer, {}), "");
    EXPECT_NE(DifferenceBeyondShaderData(original, edited, "OtherShader", body), "");
    for (const char *where : {"UVMap", "Weight", "SMAN"}) {
        Bytes changed = edited;
        std::string text = where;
        auto at = std::search(changed.begin(), changed.end(), text.begin(), text.end());
        at[text.size() + 2] ^= 1;
        EXPECT_NE(DifferenceBeyondShaderData(original, changed, kServer, body), "") << where;
    }
    Bytes longer = edited;
    longer.push_back(0);
    EXPECT_NE(DifferenceBeyondShaderData(original, longer, kServer, body), "");
}

}  // namespace
