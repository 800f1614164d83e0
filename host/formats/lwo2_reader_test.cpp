#include "host/formats/lwo2_reader.h"

#include <gtest/gtest.h>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_writer.h"
#include "host/scene/sample_objects.h"

namespace {

constexpr LWID kCurvId = LWID_('C', 'U', 'R', 'V');
constexpr LWID kSmgpId = LWID_('S', 'M', 'G', 'P');

// An LWO2 file whose chunks `fill` writes.
std::vector<std::uint8_t> Lwo2(const std::function<void(IffWriter &)> &fill) {
    return FormBytes(kLwo2Id, fill);
}

void Tags(IffWriter &out, std::initializer_list<const char *> names) {
    out.beginChunk(kTagsId);
    for (const char *name : names) out.s0(name);
    out.end();
}

void Points(IffWriter &out, int count) {
    out.beginChunk(kPntsId);
    for (int i = 0; i < 3 * count; ++i) out.f4(float(i));
    out.end();
}

void Polygons(IffWriter &out, LWID type, std::vector<std::vector<std::uint32_t>> polygons) {
    out.beginChunk(kPolsId);
    out.id4(type);
    for (const auto &points : polygons) {
        out.u2(std::uint16_t(points.size()));
        for (std::uint32_t point : points) out.vx(point);
    }
    out.end();
}

void PolygonTags(IffWriter &out, LWID type, std::vector<std::pair<std::uint32_t, int>> tags) {
    out.beginChunk(kPtagId);
    out.id4(type);
    for (auto [polygon, tag] : tags) {
        out.vx(polygon);
        out.u2(std::uint16_t(tag));
    }
    out.end();
}

void Layer(IffWriter &out) {
    out.beginChunk(kLayrId);
    out.u2(0);
    out.end();
}

void Unknown(IffWriter &out, LWID id, int size) {
    out.beginChunk(id);
    for (int i = 0; i < size; ++i) out.u1(0xAB);
    out.end();
}

// A BLOK with a header of type `header`: ordinal, ENAB, then FUNC unless `server` is null.
void Block(IffWriter &out, LWID header, const char *ordinal, int enabled, const char *server,
           std::vector<std::uint8_t> data) {
    out.beginSubChunk(kBlokId);
    out.beginSubChunk(header);
    out.s0(ordinal);
    out.beginSubChunk(LWID_('C', 'H', 'A', 'N'));  // ignored
    out.id4(LWID_('C', 'O', 'L', 'R'));
    out.end();
    if (enabled >= 0) {
        out.beginSubChunk(kEnabId);
        out.u2(std::uint16_t(enabled));
        out.end();
    }
    out.end();
    if (server) {
        out.beginSubChunk(kFuncId);
        out.s0(server);
        out.bytes(data);
        out.end();
    }
    out.end();
}

TEST(Lwo2Reader, ConcatenatesLayersAndKeepsPolygonTypesAndTags) {
    auto bytes = Lwo2([](IffWriter &out) {
        Tags(out, {"Skin", "Arm", "Leg"});
        Layer(out);
        Points(out, 3);
        Polygons(out, kFaceId, {{0, 1, 2}, {2, 1}});
        PolygonTags(out, kSurfId, {{1, 0}});
        PolygonTags(out, kPartId, {{0, 1}, {1, 2}});
        PolygonTags(out, kSmgpId, {{0, 99}});  // other tag types are skipped
        Layer(out);
        Unknown(out, LWID_('B', 'B', 'O', 'X'), 3);  // odd size: a pad byte follows
        Points(out, 2);
        Polygons(out, kCurvId, {{1, 0}});
        PolygonTags(out, kPartId, {{0, 1}});
    });
    ObjectFile object = ParseLwo2(bytes, "two.lwo");
    EXPECT_EQ(object.filename, "two.lwo");
    ASSERT_EQ(object.mesh.points.size(), 5u);
    EXPECT_EQ(object.mesh.points[4], (std::array<float, 3>{3, 4, 5}));
    ASSERT_EQ(object.mesh.polygons.size(), 3u);
    const auto &polygons = object.mesh.polygons;
    EXPECT_EQ(polygons[0].points, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(polygons[0].surface, std::nullopt);
    EXPECT_EQ(polygons[0].part, "Arm");
    EXPECT_EQ(polygons[1].surface, "Skin");
    EXPECT_EQ(polygons[1].part, "Leg");
    EXPECT_EQ(polygons[2].type, kCurvId);
    EXPECT_EQ(polygons[2].points, (std::vector<int>{4, 3}));  // indices of the second layer
    EXPECT_EQ(polygons[2].part, "Arm");
    EXPECT_EQ(&*polygons[0].part, &*polygons[2].part);  // one text for a tag, however many use it
    // "Skin" has no SURF chunk; the polygons naming it still give the object that surface.
    EXPECT_EQ(object.surfaces, std::vector<std::string>{"Skin"});
}

TEST(Lwo2Reader, ReadsFourByteIndicesAndMasksPolygonFlags) {
    auto bytes = Lwo2([](IffWriter &out) {
        Points(out, 0xFF01);
        out.beginChunk(kPolsId);
        out.id4(kFaceId);
        out.u2(0x0400 | 2);  // a flag bit above the ten bits of the count
        out.vx(0xFF00);
        out.vx(3);
        out.end();
    });
    ObjectFile object = ParseLwo2(bytes, "big.lwo");
    ASSERT_EQ(object.mesh.polygons.size(), 1u);
    EXPECT_EQ(object.mesh.polygons[0].points, (std::vector<int>{0xFF00, 3}));
}

TEST(Lwo2Reader, KeepsShaderBlocksOfEachSurfaceAndSkipsTextures) {
    auto bytes = Lwo2([](IffWriter &out) {
        out.beginChunk(kSurfId);
        out.s0("Paint");
        out.s0("");
        out.beginSubChunk(LWID_('C', 'O', 'L', 'R'));
        out.u1(1);  // odd size: a pad byte follows
        out.end();
        Block(out, LWID_('I', 'M', 'A', 'P'), "\x80", 1, "ignored", {1});
        Block(out, kShdrId, "\x81", 0, "KV_Velmora", {1, 2, 3});
        Block(out, kShdrId, "\x82", -1, "Demo_Blotch", {});
        out.end();
        out.beginChunk(kSurfId);
        out.s0("Bare");
        out.s0("Paint");
        out.end();
    });
    ObjectFile object = ParseLwo2(bytes, "s.lwo");
    EXPECT_EQ(object.surfaces, (std::vector<std::string>{"Paint", "Bare"}));
    std::vector<ShaderBlock> expected = {{"Paint", "\x81", false, "KV_Velmora", {1, 2, 3}},
                                         {"Paint", "\x82", true, "Demo_Blotch", {}}};
    EXPECT_EQ(object.shaders, expected);
}

TEST(Lwo2Reader, KeepsEachSurfacesSmoothingAngle) {
    auto bytes = Lwo2([](IffWriter &out) {
        for (const char *name : {"Smooth", "Flat"}) {
            out.beginChunk(kSurfId);
            out.s0(name);
            out.s0("");
            if (name == std::string("Smooth")) {
                out.beginSubChunk(kSmanId);
                out.f4(0.5236f);
                out.end();
            }
            out.end();
        }
    });
    ObjectFile object = ParseLwo2(bytes, "s.lwo");
    EXPECT_EQ(object.surfaces, (std::vector<std::string>{"Smooth", "Flat"}));
    EXPECT_EQ(object.smoothing, (std::map<std::string, float>{{"Smooth", 0.5236f}}));
}

TEST(Lwo2Reader, KeepsTheSurfacesColours) {
    auto bytes = Lwo2([](IffWriter &out) {
        out.beginChunk(kSurfId);
        out.s0("Red");
        out.s0("");
        out.beginSubChunk(kColrId);
        for (float channel : {0.75f, 0.125f, 0.0f}) out.f4(channel);
        out.vx(0);  // no envelope
        out.end();
        out.end();
    });
    ObjectFile object = ParseLwo2(bytes, "c.lwo");
    ASSERT_EQ(object.looks.count("Red"), 1u);
    EXPECT_EQ(object.looks.at("Red").colour, (std::array<float, 3>{0.75f, 0.125f, 0}));
}

TEST(Lwo2Reader, NamesFileChunkOffsetAndProblem) {
    auto error = [](const std::vector<std::uint8_t> &bytes) {
        return FormatErrorOf([&] { ParseLwo2(bytes, "bad.lwo"); });
    };
    EXPECT_EQ(error({'F', 'O', 'R', 'M', 0, 0, 0, 4, 'L', 'W', 'O', 'B'}),
              "bad.lwo: not an LWO2 object (form type LWOB)");
    EXPECT_EQ(error({'R', 'I', 'F', 'F', 0, 0, 0, 0}),
              "bad.lwo: not an IFF file (starts with RIFF)");
    EXPECT_EQ(error({'F', 'O', 'R', 'M', 0, 0, 1, 0, 'L', 'W', 'O', '2'}),
              "bad.lwo: chunk FORM at byte 0: size 256 runs past the end (4 bytes left)");
    EXPECT_EQ(error({}), "bad.lwo: a chunk header at byte 0 needs 8 bytes, 0 left");

    auto points = Lwo2([](IffWriter &out) { Unknown(out, kPntsId, 13); });
    EXPECT_EQ(error(points), "bad.lwo: chunk PNTS at byte 12: size 13 is not a multiple of 12");

    auto corners = Lwo2([](IffWriter &out) {
        Points(out, 3);
        Polygons(out, kFaceId, {{0, 1, 2}, {0, 3}});
    });
    EXPECT_EQ(error(corners),
              "bad.lwo: chunk POLS at byte 56: polygon 1: point index 3 out of range (3 points)");

    auto tagged = Lwo2([](IffWriter &out) {
        Tags(out, {"A"});
        Points(out, 3);
        Polygons(out, kFaceId, {{0, 1, 2}, {2, 1, 0}});
        PolygonTags(out, kPartId, {{0, 0}, {2, 0}});
    });
    EXPECT_EQ(error(tagged),
              "bad.lwo: chunk PTAG at byte 94: polygon index 2 out of range (2 polygons)");

    auto untagged = Lwo2([](IffWriter &out) {
        Tags(out, {"A"});
        Points(out, 3);
        Polygons(out, kFaceId, {{0, 1, 2}});
        PolygonTags(out, kSurfId, {{0, 1}});
    });
    EXPECT_EQ(error(untagged), "bad.lwo: chunk PTAG at byte 86: tag index 1 out of range (1 tags)");

    auto unnamed = Lwo2([](IffWriter &out) { Unknown(out, kTagsId, 2); });
    EXPECT_EQ(error(unnamed),
              "bad.lwo: chunk TAGS at byte 12: string at byte 20 has no terminating NUL");

    auto shapeless = Lwo2([](IffWriter &out) {
        out.beginChunk(kSurfId);
        out.s0("S");
        out.s0("");
        Block(out, kShdrId, "\x80", 1, nullptr, {});
        out.end();
    });
    EXPECT_EQ(error(shapeless),
              "bad.lwo: chunk SURF at byte 12: sub-chunk BLOK at byte 24: shader block has no "
              "FUNC sub-chunk");

    auto overlong = Lwo2([](IffWriter &out) {
        out.beginChunk(kSurfId);
        out.s0("S");
        out.s0("");
        out.id4(kBlokId);
        out.u2(40);
        out.end();
    });
    EXPECT_EQ(error(overlong),
              "bad.lwo: chunk SURF at byte 12: sub-chunk BLOK at byte 24: size 40 runs past the "
              "end (0 bytes left)");
}

// A few bytes of tag entries naming one long string would otherwise copy it to every polygon.
TEST(Lwo2Reader, RefusesTagTextOutOfProportionToTheFile) {
    auto bytes = Lwo2([](IffWriter &out) {
        Tags(out, {std::string(60000, 'n').c_str()});
        Points(out, 1);
        Polygons(out, kFaceId, std::vector<std::vector<std::uint32_t>>(400, {0}));
        std::vector<std::pair<std::uint32_t, int>> tags;
        for (std::uint32_t polygon = 0; polygon < 400; ++polygon) tags.push_back({polygon, 0});
        PolygonTags(out, kPartId, tags);
    });
    EXPECT_EQ(FormatErrorOf([&] { ParseLwo2(bytes, "huge.lwo"); }),
              "huge.lwo: chunk PTAG at byte 61654: polygon tags hold more text than 16 times the "
              "file's size");
}

// Truncated files are refused with an error, never read past their end (the asan preset checks
// the reading of each prefix, held in a buffer of exactly its size). Each prefix is read as it
// is, and again with the FORM size cut to fit, so that the reader goes into its chunks.
TEST(Lwo2Reader, EveryPrefixIsRefusedAndNeverReadPastItsEndUnderAsan) {
    for (const SampleObject &sample : SampleObjects()) {
        std::vector<std::uint8_t> bytes = EncodeLwo2(sample.object, sample.stem);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + std::ptrdiff_t(length));
            EXPECT_NE(FormatErrorOf([&] { ParseLwo2(prefix, "cut.lwo"); }), "no error")
                << sample.stem << " cut at " << length;
            if (length < 12) continue;
            for (int i = 0; i < 4; ++i) prefix[4 + i] = std::uint8_t((length - 8) >> (24 - 8 * i));
            FormatErrorOf([&] { ParseLwo2(prefix, "cut.lwo"); });
        }
    }
}

}  // namespace
