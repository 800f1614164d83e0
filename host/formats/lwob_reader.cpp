#include "host/formats/lwob_reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo_mesh_chunks.h"

namespace {

constexpr LWID kLwobId = LWID_('L', 'W', 'O', 'B');
constexpr LWID kSrfsId = LWID_('S', 'R', 'F', 'S');
constexpr LWID kFlagId = LWID_('F', 'L', 'A', 'G');
constexpr std::uint16_t kSmoothingFlag = 4;

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

// LWOB keeps a colour as bytes: red, green, blue and one unused.
std::array<float, 3> ByteColour(IffCursor &body) {
    std::array<float, 3> colour;
    for (float &channel : colour) channel = float(body.u1()) / 255;
    return colour;
}

void ReadSurface(IffCursor &chunk, LwoMeshReading &reading) {
    std::string name = chunk.s0();
    reading.chunkSurfaces.push_back(name);
    std::uint16_t flags = 0;
    std::optional<float> angle;
    while (!chunk.atEnd()) {
        IffCursor::Chunk item = chunk.chunkHeader(2);
        IffCursor body = chunk.enter(item, "sub-chunk");
        if (item.id == kFlagId) flags = body.u2();
        if (item.id == kSmanId) angle = body.f4();
        if (item.id == kColrId && body.remaining() >= 3)
            reading.object.colours[name] = ByteColour(body);
    }
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
