#include "host/formats/lwo2_reader.h"

#include "host/formats/file_bytes.h"
#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_shader_block.h"
#include "host/formats/lwo_mesh_chunks.h"
#include "host/formats/lwo_surface_look.h"

namespace {

void ReadShaderBlock(IffCursor &block, IffCursor &header, ShaderBlock &shader) {
    ShaderBlockChunks chunks = ReadShaderBlockChunks(header, block);
    if (!chunks.server) block.fail("shader block has no FUNC sub-chunk");
    shader.ordinal = std::move(chunks.ordinal);
    shader.enabled = chunks.enabled;
    shader.server = std::move(*chunks.server);
    shader.data.assign(chunks.data.begin(), chunks.data.end());
}

void ReadSurface(IffCursor &chunk, LwoMeshReading &reading) {
    std::string name = ReadSurfaceStart(chunk, reading);
    SurfaceLook look;
    while (!chunk.atEnd()) {
        IffCursor::Chunk item = chunk.chunkHeader(2);
        IffCursor block = chunk.enter(item, "sub-chunk");
        if (item.id == kSmanId) reading.object.smoothing[name] = block.f4();
        if (ReadSurfaceLookChunk(item.id, block, look) || item.id != kBlokId) continue;
        IffCursor::Chunk headerItem = block.chunkHeader(2);
        IffCursor header = block.enter(headerItem, "sub-chunk");
        if (headerItem.id != kShdrId) continue;  // texture blocks
        ShaderBlock shader;
        shader.surface = name;
        ReadShaderBlock(block, header, shader);
        reading.object.shaders.push_back(std::move(shader));
    }
    if (look != SurfaceLook{}) reading.object.looks[name] = look;
}

}  // namespace

ObjectFile ParseLwo2(std::span<const std::uint8_t> bytes, const std::string &filename) {
    LwoMeshReading reading(bytes.size());
    reading.object.filename = filename;
    ForEachLwoChunk(bytes, filename, kLwo2Id, "LWO2", [&](LWID id, IffCursor &chunk) {
        if (!ReadLwoMeshChunk(id, chunk, reading) && id == kSurfId) ReadSurface(chunk, reading);
    });
    ApplyLwoVertexMaps(reading);
    reading.object.surfaces = LwoSurfaceList(reading);
    return std::move(reading.object);
}

ObjectFile ReadLwo2(const std::string &path) {
    return ParseLwo2(ReadFileBytes(path), path);
}
