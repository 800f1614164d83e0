#include "host/formats/lwo3_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo3_testing.h"
#include "host/scene/sample_objects.h"

namespace {

// An LWO3 file whose chunks `fill` writes.
std::vector<std::uint8_t> Lwo3(const std::function<void(IffWriter &)> &fill) {
    return FormBytes(kLwo3Id, fill);
}

// A surface as current hosts save it: the header chunk, SMAN when `radians` is given, and a
// node graph the reader steps over.
void Surface(IffWriter &out, const char *name, std::optional<float> radians) {
    Form(out, kSurfId, [&](IffWriter &surface) {
        Chunk(surface, LWID_(' ', ' ', ' ', ' '), [&](IffWriter &header) {
            header.s0(name);
            header.s0("");
        });
        if (radians) Chunk(surface, kSmanId, [&](IffWriter &sman) { sman.f4(*radians); });
        Chunk(surface, LWID_('V', 'E', 'R', 'S'), [](IffWriter &vers) { vers.u4(0x70D); });
        Form(surface, LWID_('N', 'O', 'D', 'S'), [](IffWriter &nodes) {
            Chunk(nodes, LWID_('N', 'V', 'E', 'R'), [](IffWriter &v) { v.u4(1); });
        });
        Form(surface, kBlokId, [](IffWriter &block) {
            Form(block, LWID_('I', 'M', 'A', 'P'), [](IffWriter &map) { map.s0("\x80"); });
        });
    });
}

void Mesh(IffWriter &out, int points, std::vector<std::vector<std::uint32_t>> polygons,
          LWID type = kFaceId) {
    Chunk(out, kLayrId, [](IffWriter &layer) { layer.u2(0); });
    Chunk(out, kPntsId, [&](IffWriter &pnts) {
        for (int i = 0; i < 3 * points; ++i) pnts.f4(float(i));
    });
    Chunk(out, kPolsId, [&](IffWriter &pols) {
        pols.id4(type);
        for (const auto &corners : polygons) {
            pols.u2(std::uint16_t(corners.size()));
            for (std::uint32_t point : corners) pols.vx(point);
        }
    });
}

void Tags(IffWriter &out, LWID type, std::vector<std::pair<std::uint32_t, int>> tags) {
    Chunk(out, kPtagId, [&](IffWriter &ptag) {
        ptag.id4(type);
        for (auto [polygon, tag] : tags) {
            ptag.vx(polygon);
            ptag.u2(std::uint16_t(tag));
        }
    });
}

std::vector<std::uint8_t> TwoLayers() {
    return Lwo3([](IffWriter &out) {
        Chunk(out, kTagsId, [](IffWriter &tags) {
            for (const char *name : {"Shell", "Trim", "Rim"}) tags.s0(name);
        });
        Mesh(out, 4, {{0, 1, 2, 3}, {3, 2, 1}});
        Tags(out, kSurfId, {{0, 0}, {1, 1}});
        Tags(out, kPartId, {{1, 2}});
        Form(out, LWID_('C', 'L', 'I', 'P'), [](IffWriter &clip) { clip.u4(1); });
        Mesh(out, 2, {{1, 0}}, LWID_('C', 'U', 'R', 'V'));
        Tags(out, kSurfId, {{0, 1}});
        Surface(out, "Shell", 0.5236f);
        Surface(out, "Trim", std::nullopt);
    });
}

TEST(Lwo3Reader, ReadsLayersPolygonTagsAndEachSurfacesSmoothing) {
    ObjectFile object = ParseLwo3(TwoLayers(), "two.lwo");
    EXPECT_EQ(object.filename, "two.lwo");
    ASSERT_EQ(object.mesh.points.size(), 6u);
    EXPECT_EQ(object.mesh.points[5], (std::array<float, 3>{3, 4, 5}));
    const auto &polygons = object.mesh.polygons;
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[0].points, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(polygons[0].surface, "Shell");
    EXPECT_EQ(polygons[1].surface, "Trim");
    EXPECT_EQ(polygons[1].part, "Rim");
    EXPECT_EQ(polygons[2].type, LWID_('C', 'U', 'R', 'V'));
    EXPECT_EQ(polygons[2].points, (std::vector<int>{5, 4}));  // indices of the second layer
    EXPECT_EQ(polygons[2].surface, "Trim");
    EXPECT_EQ(object.surfaces, (std::vector<std::string>{"Shell", "Trim"}));
    EXPECT_EQ(object.smoothing, (std::map<std::string, float>{{"Shell", 0.5236f}}));
    EXPECT_TRUE(object.shaders.empty());
}

TEST(Lwo3Reader, ReadsTheSampleObjectsAsSavedInLwo3) {
    for (SampleObject &sample : SampleObjects()) {
        sample.object.shaders.clear();
        sample.object.smoothing = {{sample.object.surfaces.front(), 0.75f}};
        EXPECT_EQ(ParseLwo3(Lwo3Bytes(sample.object), sample.object.filename), sample.object)
            << sample.stem;
    }
}

TEST(Lwo3Reader, IsChosenByTheFormTypeInTheHeader) {
    EXPECT_EQ(IffFormType(TwoLayers()), "LWO3");
    EXPECT_EQ(ParseLightWaveObject(TwoLayers(), "any.lwo"), ParseLwo3(TwoLayers(), "any.lwo"));
}

TEST(Lwo3Reader, NamesFileFormChunkOffsetAndProblem) {
    auto error = [](const std::vector<std::uint8_t> &bytes) {
        return FormatErrorOf([&] { ParseLwo3(bytes, "bad.lwo"); });
    };
    EXPECT_EQ(error({'F', 'O', 'R', 'M', 0, 0, 0, 4, 'L', 'W', 'O', '2'}),
              "bad.lwo: not an LWO3 object (form type LWO2)");

    auto headless =
        Lwo3([](IffWriter &out) { Form(out, kSurfId, [](IffWriter &surface) { surface.u2(7); }); });
    EXPECT_EQ(error(headless),
              "bad.lwo: form FORM at byte 12: a chunk header at byte 24 needs 8 bytes, 2 left");

    auto shortAngle = Lwo3([](IffWriter &out) {
        Form(out, kSurfId, [](IffWriter &surface) {
            Chunk(surface, LWID_(' ', ' ', ' ', ' '), [](IffWriter &h) {
                h.s0("S");
                h.s0("");
            });
            Chunk(surface, kSmanId, [](IffWriter &sman) { sman.u2(1); });
        });
    });
    EXPECT_EQ(error(shortAngle),
              "bad.lwo: form FORM at byte 12: chunk SMAN at byte 36: a 4-byte number at byte "
              "44 needs 4 bytes, 2 left");

    auto unnamed = Lwo3([](IffWriter &out) {
        Form(out, kSurfId, [](IffWriter &surface) {
            Chunk(surface, LWID_(' ', ' ', ' ', ' '), [](IffWriter &h) { h.u2(0x4142); });
        });
    });
    EXPECT_EQ(
        error(unnamed),
        "bad.lwo: form FORM at byte 12: surface name chunk      at byte 24: string at byte 32 "
        "has no terminating NUL");
}

}  // namespace
