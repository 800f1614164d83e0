#include "host/formats/lwob_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo_mesh_chunks.h"

namespace {

constexpr LWID kLwobId = LWID_('L', 'W', 'O', 'B');
constexpr LWID kSrfsId = LWID_('S', 'R', 'F', 'S');
constexpr LWID kFlagId = LWID_('F', 'L', 'A', 'G');
constexpr std::uint16_t kLuminousFlag = 1, kSmoothingFlag = 4, kDoubleSidedFlag = 256;
constexpr LWID kGlosId = LWID_('G', 'L', 'O', 'S');

// A fraction of the look, stored as a count of 256ths and, by later hosts, also exactly.
struct Fraction {
    LWID coarse, exact;
    std::optional<float> SurfaceLook::*value;
};
constexpr Fraction kFractions[] = {
    {LWID_('L', 'U', 'M', 'I'), LWID_('V', 'L', 'U', 'M'), &SurfaceLook::luminosity},
    {LWID_('D', 'I', 'F', 'F'), LWID_('V', 'D', 'I', 'F'), &SurfaceLook::diffuse},
    {LWID_('S', 'P', 'E', 'C'), LWID_('V', 'S', 'P', 'C'), &SurfaceLook::specular},
    {LWID_('R', 'E', 'F', 'L'), LWID_('V', 'R', 'F', 'L'), &SurfaceLook::reflection},
    {LWID_('T', 'R', 'A', 'N'), LWID_('V', 'T', 'R', 'N'), &SurfaceLook::transparency},
};

void ReadSurfaceNames(IffCursor &chunk, LwoMeshReading &reading) {
    while (!chunk.atEnd()) reading.tags.push_back(chunk.s0());
}

void ReadPolygons(IffCursor &chunk, LwoMeshReading &reading) {
    auto &polygons = reading.object.mesh.polygons;
    while (!chunk.atEnd()) {
        std::size_t number = polygons.size();
        MeshPolygon polygon;
        std::size_t count = chunk.u2();
        polygon.points.reserve(std::min(count, chunk.remaining() / 2));
        for (std::size_t corner = 0; corner < count; ++corner) {
            std::uint16_t index = chunk.u2();
            if (index >= reading.pointCount)
                chunk.fail("polygon " + std::to_string(number) + ": point index " +
                           std::to_string(index) + " out of range (" +
                           std::to_string(reading.pointCount) + " points)");
            polygon.points.push_back(int(reading.pointBase + index));
        }
        int surface = std::int16_t(chunk.u2());
        if (surface < 0) chunk.u2();  // the count of the detail polygons that follow
        std::size_t tag = std::size_t(std::abs(surface));
        if (tag < 1 || tag > reading.tags.size())
            chunk.fail("polygon " + std::to_string(number) + ": surface index " +
                       std::to_string(surface) + " out of range (" +
                       std::to_string(reading.tags.size()) + " surfaces)");
        if (!reading.tagText.take(*reading.tags[tag - 1])) chunk.fail(TagTextBudget::problem());
        polygon.surface = reading.tags[tag - 1];
        polygons.push_back(std::move(polygon));
    }
}

// The exact value of a fraction wins over its 256ths, whichever comes first.
void ReadFraction(LWID id, IffCursor &body, SurfaceLook &look, std::vector<LWID> &exact) {
    for (const Fraction &fraction : kFractions) {
        if (id == fraction.exact) {
            look.*fraction.value = body.f4();
            exact.push_back(id);
        } else if (id == fraction.coarse &&
                   std::find(exact.begin(), exact.end(), fraction.exact) == exact.end()) {
            look.*fraction.value = std::int16_t(body.u2()) / 256.0f;
        }
    }
}

// LWOB gives glossiness as the highlight's power (16 low, 64 medium, 256 high, 1024 maximum),
// LWO2 as g in a power of 2^(10 g + 2).
float Lwo2Glossiness(std::uint16_t power) {
    return std::max(0.0f, (std::log2(float(std::max<std::uint16_t>(power, 1))) - 2) / 10);
}

void ReadSurface(IffCursor &chunk, LwoMeshReading &reading) {
    std::string name = chunk.s0();
    reading.chunkSurfaces.push_back(name);
    std::uint16_t flags = 0;
    std::optional<float> angle;
    SurfaceLook look;
    std::vector<LWID> exact;
    while (!chunk.atEnd()) {
        IffCursor::Chunk item = chunk.chunkHeader(2);
        IffCursor body = chunk.enter(item, "sub-chunk");
        if (item.id == kFlagId) flags = body.u2();
        if (item.id == kSmanId) angle = body.f4();
        if (item.id == kGlosId) look.glossiness = Lwo2Glossiness(body.u2());
        // A colour is only shown, never needed: one too short to hold one is passed over.
        if (item.id == kColrId && body.remaining() >= 3) {
            float red = body.u1() / 255.0f, green = body.u1() / 255.0f, blue = body.u1() / 255.0f;
            look.colour = {red, green, blue};
        }
        ReadFraction(item.id, body, look, exact);
    }
    // Before LUMI, a luminous surface was fully so.
    if (flags & kLuminousFlag && !look.luminosity) look.luminosity = 1.0f;
    if (flags & kDoubleSidedFlag) look.sides = 3;
    if (look != SurfaceLook{}) reading.object.looks[name] = look;
    if (flags & kSmoothingFlag)
        reading.object.smoothing[name] = angle.value_or(kDefaultSmoothingRadians);
    else
        reading.object.smoothing.erase(name);
}

void ReadChunk(LWID id, IffCursor &chunk, LwoMeshReading &reading) {
    switch (id) {
        case kPntsId:
            ReadLwoMeshChunk(id, chunk, reading);
            return;
        case kSrfsId:
            return ReadSurfaceNames(chunk, reading);
        case kPolsId:
            return ReadPolygons(chunk, reading);
        case kSurfId:
            return ReadSurface(chunk, reading);
        default:
            return;
    }
}

}  // namespace

ObjectFile ParseLwob(std::span<const std::uint8_t> bytes, const std::string &filename) {
    LwoMeshReading reading(bytes.size());
    reading.object.filename = filename;
    ForEachLwoChunk(bytes, filename, kLwobId, "LWOB",
                    [&](LWID id, IffCursor &chunk) { ReadChunk(id, chunk, reading); });
    std::vector<std::string> tagged;
    for (const PolygonTag &tag : reading.tags) tagged.push_back(*tag);
    reading.chunkSurfaces.insert(reading.chunkSurfaces.begin(), tagged.begin(), tagged.end());
    reading.object.surfaces = LwoSurfaceList(reading);
    return std::move(reading.object);
}
