#include "host/formats/lwob_reader.h"

#include <gtest/gtest.h>

#include <functional>

#include "host/formats/format_error_testing.h"
#include "host/formats/iff_form_testing.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_ids.h"

namespace {

constexpr LWID kLwobId = LWID_('L', 'W', 'O', 'B');
constexpr LWID kSrfsId = LWID_('S', 'R', 'F', 'S');
constexpr LWID kFlagId = LWID_('F', 'L', 'A', 'G');

struct LwobPolygon {
    std::vector<std::uint16_t> points;
    std::int16_t surface;
    int details = -1;  // the count written after a negative surface
};

std::vector<std::uint8_t> Lwob(const std::function<void(IffWriter &)> &fill) {
    return FormBytes(kLwobId, fill);
}

void Points(IffWriter &out, int count) {
    out.beginChunk(kPntsId);
    for (int i = 0; i < 3 * count; ++i) out.f4(float(i));
    out.end();
}

void SurfaceNames(IffWriter &out, std::initializer_list<const char *> names) {
    out.beginChunk(kSrfsId);
    for (const char *name : names) out.s0(name);
    out.end();
}

void Polygons(IffWriter &out, const std::vector<LwobPolygon> &polygons) {
    out.beginChunk(kPolsId);
    for (const LwobPolygon &polygon : polygons) {
        out.u2(std::uint16_t(polygon.points.size()));
        for (std::uint16_t point : polygon.points) out.u2(point);
        out.u2(std::uint16_t(polygon.surface));
        if (polygon.details >= 0) out.u2(std::uint16_t(polygon.details));
    }
    out.end();
}

// A surface with its flags and, when given, its maximum smoothing angle.
void Surface(IffWriter &out, const char *name, std::uint16_t flags, std::optional<float> angle) {
    out.beginChunk(kSurfId);
    out.s0(name);
    out.beginSubChunk(LWID_('C', 'O', 'L', 'R'));
    out.u4(0x80808000);
    out.end();
    out.beginSubChunk(kFlagId);
    out.u2(flags);
    out.end();
    if (angle) {
        out.beginSubChunk(kSmanId);
        out.f4(*angle);
        out.end();
    }
    out.end();
}

std::vector<std::uint8_t> Sample() {
    return Lwob([](IffWriter &out) {
        SurfaceNames(out, {"Hull", "Glass", "Decal"});
        Points(out, 5);
        Polygons(out, {{{0, 1, 2, 3}, -1, 1}, {{0, 1, 4}, 3}, {{3, 2, 4}, 2}});
        Surface(out, "Hull", 4, 0.5236f);
        Surface(out, "Glass", 0, 0.5236f);  // an angle without the smoothing flag
        Surface(out, "Decal", 4 | 256, std::nullopt);
    });
}

TEST(LwobReader, ReadsPointsPolygonsDetailPolygonsAndSurfaces) {
    ObjectFile object = ParseLwob(Sample(), "old.lwo");
    EXPECT_EQ(object.filename, "old.lwo");
    ASSERT_EQ(object.mesh.points.size(), 5u);
    EXPECT_EQ(object.mesh.points[4], (std::array<float, 3>{12, 13, 14}));
    const auto &polygons = object.mesh.polygons;
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[0].points, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(polygons[0].surface, "Hull");
    EXPECT_EQ(polygons[1].points, (std::vector<int>{0, 1, 4}));  // the detail polygon
    EXPECT_EQ(polygons[1].surface, "Decal");
    EXPECT_EQ(polygons[2].surface, "Glass");
    EXPECT_EQ(polygons[2].type, kFaceId);
    EXPECT_EQ(polygons[2].part, std::nullopt);
    EXPECT_EQ(object.surfaces, (std::vector<std::string>{"Hull", "Glass", "Decal"}));
}

TEST(LwobReader, SmoothsASurfaceOnlyWithItsSmoothingFlag) {
    ObjectFile object = ParseLwob(Sample(), "old.lwo");
    EXPECT_EQ(object.smoothing, (std::map<std::string, float>{
                                    {"Hull", 0.5236f}, {"Decal", kDefaultSmoothingRadians}}));
}

void SubChunk(IffWriter &out, LWID id, const std::function<void(IffWriter &)> &fill) {
    out.beginSubChunk(id);
    fill(out);
    out.end();
}

TEST(LwobReader, ReadsEachSurfacesLookInLwo2Units) {
    auto bytes = Lwob([](IffWriter &out) {
        SurfaceNames(out, {"Paint"});
        Points(out, 3);
        Polygons(out, {{{0, 1, 2}, 1}});
        out.beginChunk(kSurfId);
        out.s0("Paint");
        SubChunk(out, LWID_('C', 'O', 'L', 'R'), [](IffWriter &c) { c.u4(0xFF336600); });
        SubChunk(out, kFlagId, [](IffWriter &f) { f.u2(1 | 256); });
        SubChunk(out, LWID_('V', 'D', 'I', 'F'), [](IffWriter &v) { v.f4(0.8f); });
        SubChunk(out, LWID_('D', 'I', 'F', 'F'), [](IffWriter &v) { v.u2(256); });
        SubChunk(out, LWID_('S', 'P', 'E', 'C'), [](IffWriter &v) { v.u2(128); });
        SubChunk(out, LWID_('G', 'L', 'O', 'S'), [](IffWriter &v) { v.u2(64); });
        SubChunk(out, LWID_('R', 'E', 'F', 'L'), [](IffWriter &v) { v.u2(64); });
        SubChunk(out, LWID_('V', 'T', 'R', 'N'), [](IffWriter &v) { v.f4(0.3f); });
        out.end();
    });
    SurfaceLook look;
    look.colour = {1.0f, 0.2f, 0.4f};
    look.luminosity = 1.0f;  // the luminous flag, without LUMI
    look.diffuse = 0.8f;     // VDIF, not DIFF
    look.specular = 0.5f;
    look.glossiness = 0.4f;  // "medium": a power of 64
    look.reflection = 0.25f;
    look.transparency = 0.3f;
    look.sides = 3;
    EXPECT_EQ(ParseLwob(bytes, "paint.lwo").looks,
              (std::map<std::string, SurfaceLook>{{"Paint", look}}));
}

TEST(LwobReader, IsChosenByTheFormTypeInTheHeader) {
    EXPECT_EQ(IffFormType(Sample()), "LWOB");
    EXPECT_EQ(ParseLightWaveObject(Sample(), "a.lwo"), ParseLwob(Sample(), "a.lwo"));
    std::vector<std::uint8_t> layered = Sample();
    layered[11] = 'X';
    EXPECT_EQ(FormatErrorOf([&] { ParseLightWaveObject(layered, "a.lwo"); }),
              "a.lwo: not a LightWave object of a form this host reads (form type LWOX; LWO3, "
              "LWO2 and LWOB are read)");
}

TEST(LwobReader, NamesFileChunkOffsetAndProblem) {
    auto error = [](const std::vector<std::uint8_t> &bytes) {
        return FormatErrorOf([&] { ParseLwob(bytes, "bad.lwo"); });
    };
    auto point = Lwob([](IffWriter &out) {
        SurfaceNames(out, {"A"});
        Points(out, 3);
        Polygons(out, {{{0, 1, 2}, 1}, {{0, 3}, 1}});
    });
    EXPECT_EQ(error(point),
              "bad.lwo: chunk POLS at byte 66: polygon 1: point index 3 out of range (3 points)");

    for (std::int16_t surface : {0, 2, -2}) {
        auto unnamed = Lwob([&](IffWriter &out) {
            SurfaceNames(out, {"A"});
            Points(out, 3);
            Polygons(out, {{{0, 1, 2}, surface, surface < 0 ? 0 : -1}});
        });
        EXPECT_EQ(error(unnamed), "bad.lwo: chunk POLS at byte 66: polygon 0: surface index " +
                                      std::to_string(surface) + " out of range (1 surfaces)");
    }

    auto cut = Lwob([](IffWriter &out) {
        SurfaceNames(out, {"A"});
        Points(out, 3);
        out.beginChunk(kPolsId);
        out.u2(3);
        out.u2(0);
        out.end();
    });
    EXPECT_EQ(error(cut),
              "bad.lwo: chunk POLS at byte 66: a 2-byte number at byte 78 needs 2 bytes, 0 left");
}

}  // namespace
