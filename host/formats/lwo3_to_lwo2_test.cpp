#include "host/formats/lwo3_to_lwo2.h"

#include <gtest/gtest.h>

#include <map>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo3_reader.h"
#include "host/formats/lwo3_testing.h"
#include "host/scene/sample_objects.h"

namespace {

constexpr LWID kVmapId = LWID_('V', 'M', 'A', 'P');
constexpr LWID kVmadId = LWID_('V', 'M', 'A', 'D');
constexpr LWID kColrId = LWID_('C', 'O', 'L', 'R');
constexpr LWID kDiffId = LWID_('D', 'I', 'F', 'F');
constexpr LWID kSideId = LWID_('S', 'I', 'D', 'E');
constexpr LWID kSmgpId = LWID_('S', 'M', 'G', 'P');

// What an object holds, counted straight from its bytes with nothing of the converter's: an
// IFF walk of the top-level chunks and, inside them, the entries each one lists.
struct Contents {
    int layers = 0, points = 0, polygons = 0;
    std::map<std::string, int> polygonTypes, polygonTags, vertexMaps;
    std::vector<std::string> tags;
    bool operator==(const Contents &) const = default;
};

std::uint32_t Big(std::span<const std::uint8_t> bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | bytes[at + i];
    return value;
}

std::string Id(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::string(bytes.begin() + at, bytes.begin() + at + 4);
}

// Steps over a VX index at `at`.
std::size_t AfterIndex(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at + (bytes[at] == 0xFF ? 4 : 2);
}

std::size_t AfterString(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::size_t end = at;
    while (bytes[end] != 0) ++end;
    return at + ((end - at + 2) & ~std::size_t(1));
}

void CountChunk(const std::string &id, std::span<const std::uint8_t> body, Contents &contents) {
    if (id == "LAYR") ++contents.layers;
    if (id == "PNTS") contents.points += int(body.size() / 12);
    if (id == "TAGS")
        for (std::size_t at = 0; at < body.size(); at = AfterString(body, at))
            contents.tags.push_back(reinterpret_cast<const char *>(&body[at]));
    if (id == "POLS") {
        std::string type = Id(body, 0);
        for (std::size_t at = 4; at < body.size();) {
            std::uint32_t corners = Big(body, at, 2) & 0x3FF;
            at += 2;
            for (std::uint32_t c = 0; c < corners; ++c) at = AfterIndex(body, at);
            ++contents.polygons;
            ++contents.polygonTypes[type];
        }
    }
    if (id == "PTAG") {
        std::string type = Id(body, 0);
        for (std::size_t at = 4; at < body.size(); at = AfterIndex(body, at) + 2)
            ++contents.polygonTags[type];
    }
    if (id == "VMAP" || id == "VMAD") {
        std::string key = id + " " + Id(body, 0);
        std::size_t dimension = Big(body, 4, 2);
        for (std::size_t at = AfterString(body, 6); at < body.size(); at += 4 * dimension) {
            at = AfterIndex(body, at);
            if (id == "VMAD") at = AfterIndex(body, at);
            ++contents.vertexMaps[key];
        }
    }
}

Contents Count(std::span<const std::uint8_t> file) {
    Contents contents;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        std::size_t size = Big(file, at + 4, 4);
        CountChunk(Id(file, at), file.subspan(at + 8, size), contents);
        at += 8 + size + size % 2;
    }
    return contents;
}

void Attribute(IffWriter &out, LWID id, std::vector<float> values, std::uint16_t envelope) {
    Chunk(out, id, [&](IffWriter &chunk) {
        for (float value : values) chunk.f4(value);
        chunk.vx(envelope);
    });
}

// Two layers with faces, patches and curves; SURF, PART, SMGP and COLR polygon tags; a UV map, a
// weight map and a per-polygon UV map; three surfaces with attributes, a node graph and layers,
// the last two losing the same; an image and an envelope.
std::vector<std::uint8_t> Rich() {
    return FormBytes(kLwo3Id, [](IffWriter &out) {
        Chunk(out, kTagsId, [](IffWriter &tags) {
            for (const char *name : {"Skin", "Eyes", "Head", "1"}) tags.s0(name);
        });
        for (int layer = 0; layer < 2; ++layer) {
            Chunk(out, kLayrId, [&](IffWriter &l) {
                l.u2(std::uint16_t(layer));
                l.u2(0);
                for (int axis = 0; axis < 3; ++axis) l.f4(0);
                l.s0(layer ? "Eyes" : "Body");
            });
            Chunk(out, kPntsId, [](IffWriter &pnts) {
                for (int i = 0; i < 15; ++i) pnts.f4(float(i));
            });
            Chunk(out, kVmapId, [](IffWriter &map) {
                map.id4(LWID_('T', 'X', 'U', 'V'));
                map.u2(2);
                map.s0("UV");
                for (std::uint16_t point = 0; point < 5; ++point) {
                    map.vx(point);
                    map.f4(0.25f * point);
                    map.f4(0.5f);
                }
            });
            Chunk(out, kVmapId, [](IffWriter &map) {
                map.id4(LWID_('W', 'G', 'H', 'T'));
                map.u2(1);
                map.s0("Weight");
                map.vx(3);
                map.f4(0.75f);
            });
            for (LWID type : {kFaceId, LWID_('P', 'T', 'C', 'H'), LWID_('C', 'U', 'R', 'V')}) {
                Chunk(out, kPolsId, [&](IffWriter &pols) {
                    pols.id4(type);
                    pols.u2(3);
                    for (std::uint16_t point : {0, 1, 2}) pols.vx(point);
                    pols.u2(4);
                    for (std::uint16_t point : {1, 2, 3, 4}) pols.vx(point);
                });
                for (auto [tagType, tag] :
                     {std::pair{kSurfId, 0}, {kPartId, 2}, {kSmgpId, 3}, {kColrId, 3}}) {
                    Chunk(out, kPtagId, [&](IffWriter &ptag) {
                        ptag.id4(tagType);
                        for (std::uint16_t polygon : {0, 1}) {
                            ptag.vx(polygon);
                            ptag.u2(std::uint16_t(tag + (tagType == kSurfId ? layer : 0)));
                        }
                    });
                }
            }
            Chunk(out, kVmadId, [](IffWriter &map) {
                map.id4(LWID_('T', 'X', 'U', 'V'));
                map.u2(2);
                map.s0("UV");
                map.vx(1);
                map.vx(0);
                map.f4(0.1f);
                map.f4(0.9f);
            });
        }
        Form(out, LWID_('C', 'L', 'I', 'P'), [](IffWriter &clip) { clip.u4(1); });
        Form(out, LWID_('E', 'N', 'V', 'L'), [](IffWriter &envelope) { envelope.u4(1); });
        Chunk(out, LWID_('O', 'T', 'A', 'G'), [](IffWriter &tag) { tag.u4(0); });
        for (const char *name : {"Skin", "Eyes", "Teeth"}) {
            Form(out, kSurfId, [&](IffWriter &surface) {
                Chunk(surface, LWID_(' ', ' ', ' ', ' '), [&](IffWriter &header) {
                    header.s0(name);
                    header.s0("Default");
                });
                Chunk(surface, LWID_('V', 'E', 'R', 'S'), [](IffWriter &v) { v.u4(0x70D); });
                Attribute(surface, kColrId, {0.8f, 0.6f, 0.5f}, name[0] == 'S' ? 1 : 0);
                Attribute(surface, kDiffId, {0.9f}, 0);
                Chunk(surface, kSmanId, [](IffWriter &sman) { sman.f4(1.2f); });
                Chunk(surface, kSideId, [](IffWriter &side) { side.u2(3); });
                Chunk(surface, LWID_('G', 'L', 'O', 'W'), [](IffWriter &glow) { glow.u2(0); });
                Form(surface, LWID_('N', 'O', 'D', 'S'), [](IffWriter &nodes) {
                    Chunk(nodes, LWID_('N', 'V', 'E', 'R'), [](IffWriter &v) { v.u4(1); });
                });
                Form(surface, kBlokId, [](IffWriter &block) { block.u4(0); });
            });
        }
    });
}

TEST(Lwo3ToLwo2, KeepsEveryLayerPointPolygonTagAndVertexMap) {
    std::vector<std::uint8_t> input = Rich();
    Lwo3Conversion conversion = ConvertLwo3ToLwo2(input, "rich.lwo");
    EXPECT_EQ(IffFormType(conversion.bytes), "LWO2");
    Contents before = Count(input), after = Count(conversion.bytes);
    EXPECT_EQ(after, before);
    EXPECT_EQ(after.layers, 2);
    EXPECT_EQ(after.points, 10);
    EXPECT_EQ(after.polygons, 12);
    EXPECT_EQ(after.polygonTags,
              (std::map<std::string, int>{{"COLR", 12}, {"PART", 12}, {"SMGP", 12}, {"SURF", 12}}));
    EXPECT_EQ(after.vertexMaps,
              (std::map<std::string, int>{{"VMAD TXUV", 2}, {"VMAP TXUV", 10}, {"VMAP WGHT", 2}}));
}

TEST(Lwo3ToLwo2, ReadsAsTheSameMeshAndSurfaces) {
    std::vector<std::uint8_t> input = Rich();
    ObjectFile lwo3 = ParseLwo3(input, "rich.lwo");
    ObjectFile lwo2 = ParseLwo2(ConvertLwo3ToLwo2(input, "rich.lwo").bytes, "rich.lwo");
    EXPECT_EQ(lwo2, lwo3);
    EXPECT_EQ(lwo2.surfaces, (std::vector<std::string>{"Skin", "Eyes", "Teeth"}));
    EXPECT_EQ(lwo2.smoothing,
              (std::map<std::string, float>{{"Skin", 1.2f}, {"Eyes", 1.2f}, {"Teeth", 1.2f}}));
    for (SampleObject &sample : SampleObjects()) {
        sample.object.shaders.clear();
        ObjectFile fromLwo2 = ParseLwo2(
            ConvertLwo3ToLwo2(Lwo3Bytes(sample.object), sample.stem).bytes, sample.object.filename);
        EXPECT_EQ(fromLwo2, ParseLwo3(Lwo3Bytes(sample.object), sample.object.filename))
            << sample.stem;
    }
}

// The SURF chunk of `surface` in an LWO2 file: each sub-chunk's id and body.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> SurfaceChunks(
    std::span<const std::uint8_t> file, const std::string &surface) {
    for (std::size_t at = 12; at + 8 <= file.size();) {
        std::size_t size = Big(file, at + 4, 4);
        std::span<const std::uint8_t> body = file.subspan(at + 8, size);
        at += 8 + size + size % 2;
        if (Id(file, at - 8 - size - size % 2) != "SURF") continue;
        if (reinterpret_cast<const char *>(body.data()) != surface) continue;
        std::vector<std::pair<std::string, std::vector<std::uint8_t>>> chunks;
        for (std::size_t in = AfterString(body, AfterString(body, 0)); in < body.size();) {
            std::size_t length = Big(body, in + 4, 2);
            chunks.push_back(
                {Id(body, in), {body.begin() + in + 6, body.begin() + in + 6 + length}});
            in += 6 + length + length % 2;
        }
        return chunks;
    }
    return {};
}

TEST(Lwo3ToLwo2, CarriesEachSurfacesAttributesWithoutTheirEnvelopes) {
    Lwo3Conversion conversion = ConvertLwo3ToLwo2(Rich(), "rich.lwo");
    auto skin = SurfaceChunks(conversion.bytes, "Skin");
    std::vector<std::string> ids;
    for (const auto &[id, body] : skin) ids.push_back(id);
    EXPECT_EQ(ids, (std::vector<std::string>{"COLR", "DIFF", "SMAN", "SIDE"}));
    ASSERT_EQ(skin[0].second.size(), 14u);
    EXPECT_EQ(Big(skin[0].second, 12, 2), 0u);          // the envelope is not carried
    EXPECT_EQ(Big(skin[0].second, 0, 4), 0x3F4CCCCDu);  // 0.8
    EXPECT_EQ(skin[3].second, (std::vector<std::uint8_t>{0, 3}));
}

TEST(Lwo3ToLwo2, NamesWhatItDrops) {
    Lwo3Conversion conversion = ConvertLwo3ToLwo2(Rich(), "rich.lwo");
    EXPECT_EQ(conversion.losses,
              (std::vector<std::string>{
                  "image (CLIP), envelope (ENVL), OTAG",
                  "surface \"Skin\": animation of colour, glow (GLOW), node graph (NODS), texture "
                  "or shader layer (BLOK)",
                  "surfaces \"Eyes\", \"Teeth\": glow (GLOW), node graph (NODS), texture or shader "
                  "layer (BLOK)"}));
}

// Attributes too short to hold their values are named and not carried; an attribute that ends
// before its envelope index gets one that names none.
TEST(Lwo3ToLwo2, CarriesNoAttributeItCannotVouchFor) {
    std::vector<std::uint8_t> object = FormBytes(kLwo3Id, [](IffWriter &out) {
        Form(out, kSurfId, [](IffWriter &surface) {
            Chunk(surface, LWID_(' ', ' ', ' ', ' '), [](IffWriter &header) {
                header.s0("Paint");
                header.s0("");
            });
            Chunk(surface, kColrId, [](IffWriter &colour) { colour.u2(0); });
            Chunk(surface, kSideId, [](IffWriter &side) { side.u1(3); });
            Chunk(surface, kDiffId, [](IffWriter &diffuse) { diffuse.f4(0.5f); });
        });
    });
    Lwo3Conversion conversion = ConvertLwo3ToLwo2(object, "damaged.lwo");
    EXPECT_EQ(conversion.losses, (std::vector<std::string>{"surface \"Paint\": colour (damaged: 2 "
                                                           "bytes), sides (damaged: 1 bytes)"}));
    auto paint = SurfaceChunks(conversion.bytes, "Paint");
    ASSERT_EQ(paint.size(), 1u);
    EXPECT_EQ(paint[0].first, "DIFF");
    EXPECT_EQ(paint[0].second.size(), 6u);
}

TEST(Lwo3ToLwo2, DropsNothingOfAnObjectItCarriesWhole) {
    for (SampleObject &sample : SampleObjects())
        EXPECT_TRUE(ConvertLwo3ToLwo2(Lwo3Bytes(sample.object), sample.stem).losses.empty())
            << sample.stem;
}

TEST(Lwo3ToLwo2, RefusesDamagedMeshChunksNamingTheirPlaceInTheInput) {
    auto cut = FormBytes(
        kLwo3Id, [](IffWriter &out) { Chunk(out, kPntsId, [](IffWriter &pnts) { pnts.u2(1); }); });
    EXPECT_EQ(FormatErrorOf([&] { ConvertLwo3ToLwo2(cut, "cut.lwo"); }),
              "cut.lwo: chunk PNTS at byte 12: size 2 is not a multiple of 12");
}

TEST(Lwo3ToLwo2, RefusesAnotherFormNamingIt) {
    std::vector<std::uint8_t> lwo2 = FormBytes(kLwo2Id, [](IffWriter &) {});
    EXPECT_EQ(FormatErrorOf([&] { ConvertLwo3ToLwo2(lwo2, "old.lwo"); }),
              "old.lwo: not an LWO3 object (form type LWO2)");
}

}  // namespace
