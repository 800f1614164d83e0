#include "host/formats/lwo3_reader.h"

#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo_mesh_chunks.h"
#include "host/formats/lwo_surface_look.h"

namespace {

// FORM SURF { header { name, source }, attribute chunks and forms... }. Files name the header
// chunk with four spaces; only its place, first in the form, is relied on.
void ReadSurfaceForm(IffCursor &form, LwoMeshReading &reading) {
    IffCursor::Chunk headerChunk = form.chunkHeader(4);
    IffCursor header = form.enter(headerChunk, "surface name chunk");
    std::string name = ReadSurfaceStart(header, reading);
    SurfaceLook look;
    while (!form.atEnd()) {
        IffCursor::Chunk item = form.chunkHeader(4);
        IffCursor body = form.enter(item, "chunk");
        if (item.id == kSmanId) reading.object.smoothing[name] = body.f4();
        ReadSurfaceLookChunk(item.id, body, look);
    }
    if (look != SurfaceLook{}) reading.object.looks[name] = look;
}

void ReadForm(IffCursor &form, LwoMeshReading &reading) {
    LWID type = form.id4();
    if (type == kSurfId) ReadSurfaceForm(form, reading);
}

}  // namespace

ObjectFile ParseLwo3(std::span<const std::uint8_t> bytes, const std::string &filename) {
    LwoMeshReading reading(bytes.size());
    reading.object.filename = filename;
    ForEachLwoChunk(bytes, filename, kLwo3Id, "LWO3", [&](LWID id, IffCursor &chunk) {
        if (id == kFormId)
            ReadForm(chunk, reading);
        else
            ReadLwoMeshChunk(id, chunk, reading);
    });
    ApplyLwoVertexMaps(reading);
    reading.object.surfaces = LwoSurfaceList(reading);
    return std::move(reading.object);
}
