#include "host/formats/lwo_mesh_chunks.h"

#include <algorithm>

#include "host/formats/id_text.h"
#include "host/formats/lwo2_ids.h"

namespace {

std::string OutOfRange(const char *what, std::uint32_t index, std::size_t count,
                       const char *items) {
    return std::string(what) + " index " + std::to_string(index) + " out of range (" +
           std::to_string(count) + " " + items + ")";
}

void ReadTags(IffCursor &chunk, LwoMeshReading &reading) {
    while (!chunk.atEnd()) reading.tags.push_back(chunk.s0());
}

void StartLayer(LwoMeshReading &reading) {
    reading.pointBase = reading.object.mesh.points.size();
    reading.pointCount = 0;
    reading.polygonBase = reading.object.mesh.polygons.size();
    reading.polygonCount = 0;
}

void ReadPoints(IffCursor &chunk, LwoMeshReading &reading) {
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

void ReadPolygons(IffCursor &chunk, LwoMeshReading &reading) {
    LWID type = chunk.id4();
    auto &polygons = reading.object.mesh.polygons;
    reading.polygonBase = polygons.size();
    while (!chunk.atEnd()) {
        MeshPolygon polygon;
        polygon.type = type;
        std::size_t count = PolygonCornerCount(chunk);
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

void ReadPolygonTags(IffCursor &chunk, LwoMeshReading &reading) {
    LWID type = chunk.id4();
    if (type != kSurfId && type != kPartId) return;
    while (!chunk.atEnd()) {
        std::uint32_t polygon = chunk.vx();
        std::uint16_t tag = chunk.u2();
        if (polygon >= reading.polygonCount)
            chunk.fail(OutOfRange("polygon", polygon, reading.polygonCount, "polygons"));
        if (tag >= reading.tags.size())
            chunk.fail(OutOfRange("tag", tag, reading.tags.size(), "tags"));
        if (!reading.tagText.take(*reading.tags[tag])) chunk.fail(TagTextBudget::problem());
        MeshPolygon &target = reading.object.mesh.polygons[reading.polygonBase + polygon];
        (type == kSurfId ? target.surface : target.part) = reading.tags[tag];
    }
}

template <std::size_t N>
void ReadVertexMap(LwoVertexMap<N> &map, const LwoVertexMapHeader &header, bool perCorner,
                   IffCursor &chunk, const LwoMeshReading &reading) {
    if (perCorner)
        map.readCornerMap(header, chunk, reading.pointBase, reading.pointCount, reading.polygonBase,
                          reading.polygonCount);
    else
        map.readPointMap(header, chunk, reading.pointBase, reading.pointCount);
}

// A VMAP, or a VMAD when `perCorner`: maps of types the mesh keeps nothing of cost one header.
void ReadVertexMapChunk(IffCursor &chunk, LwoMeshReading &reading, bool perCorner) {
    LwoVertexMapHeader header = ReadVertexMapHeader(chunk);
    if (header.type == kTxuvId) ReadVertexMap(reading.uvMap, header, perCorner, chunk, reading);
    if (header.type == kNormId) ReadVertexMap(reading.normalMap, header, perCorner, chunk, reading);
}

void AddOnce(std::vector<std::string> &names, const std::string &name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

}  // namespace

bool ReadLwoMeshChunk(LWID id, IffCursor &chunk, LwoMeshReading &reading) {
    switch (id) {
        case kTagsId:
            ReadTags(chunk, reading);
            return true;
        case kLayrId:
            StartLayer(reading);
            return true;
        case kPntsId:
            ReadPoints(chunk, reading);
            return true;
        case kPolsId:
            ReadPolygons(chunk, reading);
            return true;
        case kPtagId:
            ReadPolygonTags(chunk, reading);
            return true;
        case kVmapId:
            ReadVertexMapChunk(chunk, reading, false);
            return true;
        case kVmadId:
            ReadVertexMapChunk(chunk, reading, true);
            return true;
        default:
            return false;
    }
}

void ApplyLwoVertexMaps(LwoMeshReading &reading) {
    MeshData &mesh = reading.object.mesh;
    reading.uvMap.applyTo(mesh, &MeshData::textureCoordinates, &MeshPolygon::textureCorners);
    reading.normalMap.applyTo(mesh, &MeshData::normals, &MeshPolygon::normalCorners);
}

std::string ReadSurfaceStart(IffCursor &chunk, LwoMeshReading &reading) {
    std::string name = chunk.s0();
    chunk.s0();
    reading.chunkSurfaces.push_back(name);
    return name;
}

std::vector<std::string> LwoSurfaceList(const LwoMeshReading &reading) {
    std::vector<std::string> surfaces;
    for (const std::string &name : reading.chunkSurfaces) AddOnce(surfaces, name);
    for (const MeshPolygon &polygon : reading.object.mesh.polygons)
        if (polygon.surface) AddOnce(surfaces, *polygon.surface);
    return surfaces;
}

void ForEachLwoChunk(std::span<const std::uint8_t> bytes, const std::string &filename, LWID type,
                     const char *typeName,
                     const std::function<void(LWID id, IffCursor &chunk)> &visit) {
    IffCursor file(bytes, 0, filename);
    IffCursor::Chunk form = file.chunkHeader(4);
    if (form.id != kFormId) file.fail("not an IFF file (starts with " + IdText(form.id) + ")");
    IffCursor body = file.enter(form, "chunk");
    LWID found = body.id4();
    if (found != type)
        file.fail(std::string("not an ") + typeName + " object (form type " + IdText(found) + ")");
    IffCursor chunks(bytes.subspan(12, form.size - 4), 12, filename);
    while (!chunks.atEnd()) {
        IffCursor::Chunk header = chunks.chunkHeader(4);
        IffCursor chunk = chunks.enter(header, header.id == kFormId ? "form" : "chunk");
        visit(header.id, chunk);
    }
}
