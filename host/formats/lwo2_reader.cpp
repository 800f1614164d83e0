#include "host/formats/lwo2_reader.h"

#include <algorithm>

#include "host/formats/file_bytes.h"
#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/tag_text_budget.h"

namespace {

// What a chunk may refer to: the tags read so far, the points of the latest PNTS chunk and the
// polygons of the latest POLS chunk (indices in a file are relative to those).
struct Lwo2Reading {
    explicit Lwo2Reading(std::size_t fileSize) : tagText(fileSize) {}
    ObjectFile object;
    TagTextBudget tagText;
    std::vector<std::string> tags;
    std::size_t pointBase = 0, pointCount = 0;
    std::size_t polygonBase = 0, polygonCount = 0;
    std::vector<std::string> chunkSurfaces;
};

std::string OutOfRange(const char *what, std::uint32_t index, std::size_t count,
                       const char *items) {
    return std::string(what) + " index " + std::to_string(index) + " out of range (" +
           std::to_string(count) + " " + items + ")";
}

void ReadTags(IffCursor &chunk, Lwo2Reading &reading) {
    while (!chunk.atEnd()) reading.tags.push_back(chunk.s0());
}

void StartLayer(Lwo2Reading &reading) {
    reading.pointBase = reading.object.mesh.points.size();
    reading.pointCount = 0;
    reading.polygonBase = reading.object.mesh.polygons.size();
    reading.polygonCount = 0;
}

void ReadPoints(IffCursor &chunk, Lwo2Reading &reading) {
    if (chunk.remaining() % 12 != 0)
        chunk.fail("size " + std::to_string(chunk.remaining()) + " is not a multiple of 12");
    auto &points = reading.object.mesh.points;
    reading.pointBase = points.size();
    reading.pointCount = chunk.remaining() / 12;
    points.reserve(points.size() + reading.pointCount);
    while (!chunk.atEnd()) {
        float x = chunk.f4(), y = chunk.f4(), z = chunk.f4();
        points.push_back({x, y, z});
    }
}

void ReadPolygons(IffCursor &chunk, Lwo2Reading &reading) {
    LWID type = chunk.id4();
    auto &polygons = reading.object.mesh.polygons;
    reading.polygonBase = polygons.size();
    while (!chunk.atEnd()) {
        MeshPolygon polygon;
        polygon.type = type;
        std::size_t count = chunk.u2() & 0x03FFu;  // the top six bits are flags
        polygon.points.reserve(std::min(count, chunk.remaining() / 2));
        for (std::size_t corner = 0; corner < count; ++corner) {
            std::uint32_t index = chunk.vx();
            if (index >= reading.pointCount)
                chunk.fail("polygon " + std::to_string(polygons.size() - reading.polygonBase) +
                           ": " + OutOfRange("point", index, reading.pointCount, "points"));
            polygon.points.push_back(int(reading.pointBase + index));
        }
        polygons.push_back(std::move(polygon));
    }
    reading.polygonCount = polygons.size() - reading.polygonBase;
}

void ReadPolygonTags(IffCursor &chunk, Lwo2Reading &reading) {
    LWID type = chunk.id4();
    if (type != kSurfId && type != kPartId) return;
    while (!chunk.atEnd()) {
        std::uint32_t polygon = chunk.vx();
        std::uint16_t tag = chunk.u2();
        if (polygon >= reading.polygonCount)
            chunk.fail(OutOfRange("polygon", polygon, reading.polygonCount, "polygons"));
        if (tag >= reading.tags.size())
            chunk.fail(OutOfRange("tag", tag, reading.tags.size(), "tags"));
        if (!reading.tagText.take(reading.tags[tag])) chunk.fail(TagTextBudget::problem());
        MeshPolygon &target = reading.object.mesh.polygons[reading.polygonBase + polygon];
        (type == kSurfId ? target.surface : target.part) = reading.tags[tag];
    }
}

// A SHDR block: header { ordinal, sub-chunks such as ENAB }, then FUNC { server, data }.
void ReadShaderBlock(IffCursor &block, IffCursor &header, ShaderBlock &shader) {
    shader.ordinal = header.s0();
    while (!header.atEnd()) {
        IffCursor::Chunk item = header.chunkHeader(2);
        IffCursor body = header.enter(item, "sub-chunk");
        if (item.id == kEnabId) shader.enabled = body.u2() != 0;
    }
    bool haveFunction = false;
    while (!block.atEnd()) {
        IffCursor::Chunk item = block.chunkHeader(2);
        IffCursor body = block.enter(item, "sub-chunk");
        if (item.id != kFuncId) continue;
        shader.server = body.s0();
        auto data = body.take(body.remaining());
        shader.data.assign(data.begin(), data.end());
        haveFunction = true;
    }
    if (!haveFunction) block.fail("shader block has no FUNC sub-chunk");
}

void ReadSurface(IffCursor &chunk, Lwo2Reading &reading) {
    std::string name = chunk.s0();
    chunk.s0();  // the source surface it was derived from: nothing of it is kept
    reading.chunkSurfaces.push_back(name);
    while (!chunk.atEnd()) {
        IffCursor::Chunk item = chunk.chunkHeader(2);
        IffCursor block = chunk.enter(item, "sub-chunk");
        if (item.id != kBlokId) continue;
        IffCursor::Chunk headerItem = block.chunkHeader(2);
        IffCursor header = block.enter(headerItem, "sub-chunk");
        if (headerItem.id != kShdrId) continue;  // texture blocks
        ShaderBlock shader;
        shader.surface = name;
        ReadShaderBlock(block, header, shader);
        reading.object.shaders.push_back(std::move(shader));
    }
}

void ReadChunk(const IffCursor::Chunk &header, IffCursor &chunk, Lwo2Reading &reading) {
    switch (header.id) {
        case kTagsId:
            return ReadTags(chunk, reading);
        case kLayrId:
            return StartLayer(reading);
        case kPntsId:
            return ReadPoints(chunk, reading);
        case kPolsId:
            return ReadPolygons(chunk, reading);
        case kPtagId:
            return ReadPolygonTags(chunk, reading);
        case kSurfId:
            return ReadSurface(chunk, reading);
        default:
            return;
    }
}

void AddOnce(std::vector<std::string> &names, const std::string &name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

std::vector<std::string> SurfaceList(const Lwo2Reading &reading) {
    std::vector<std::string> surfaces;
    for (const std::string &name : reading.chunkSurfaces) AddOnce(surfaces, name);
    for (const MeshPolygon &polygon : reading.object.mesh.polygons)
        if (polygon.surface) AddOnce(surfaces, *polygon.surface);
    return surfaces;
}

}  // namespace

ObjectFile ParseLwo2(std::span<const std::uint8_t> bytes, const std::string &filename) {
    IffCursor file(bytes, 0, filename);
    IffCursor::Chunk form = file.chunkHeader(4);
    if (form.id != kFormId) file.fail("not an IFF file (starts with " + IdText(form.id) + ")");
    IffCursor body = file.enter(form, "chunk");
    LWID type = body.id4();
    if (type != kLwo2Id) file.fail("not an LWO2 object (form type " + IdText(type) + ")");

    Lwo2Reading reading(bytes.size());
    reading.object.filename = filename;
    IffCursor chunks(bytes.subspan(12, form.size - 4), 12, filename);
    while (!chunks.atEnd()) {
        IffCursor::Chunk header = chunks.chunkHeader(4);
        IffCursor chunk = chunks.enter(header, "chunk");
        ReadChunk(header, chunk, reading);
    }
    reading.object.surfaces = SurfaceList(reading);
    return std::move(reading.object);
}

ObjectFile ReadLwo2(const std::string &path) {
    return ParseLwo2(ReadFileBytes(path), path);
}
