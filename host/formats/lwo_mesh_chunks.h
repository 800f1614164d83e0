// The mesh chunks that LWO2 and LWO3 objects share (TAGS, LAYR, PNTS, POLS, PTAG, VMAP, VMAD),
// read into the scene model. Both forms lay these chunks out alike; they differ in their surfaces.
//
// Every layer's points and polygons are appended in file order, so an object is one mesh whose
// points and polygons are numbered 0-based across the file. Polygons keep their type (FACE,
// CURV, PTCH, SUBD, MBAL, BONE...); SURF and PART polygon tags become the polygons' surface and
// part, other tag types are skipped. The first UV map gives the texture coordinates and the first
// normal map the authored normals (LwoVertexMap); other vertex maps are skipped.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "host/formats/iff_cursor.h"
#include "host/formats/lwo_vertex_map.h"
#include "host/formats/tag_text_budget.h"
#include "host/scene/scene.h"

// What a chunk may refer to: the tags read so far, the points of the latest PNTS chunk and the
// polygons of the latest POLS chunk (indices in a file are relative to those).
struct LwoMeshReading {
    explicit LwoMeshReading(std::size_t fileSize) : tagText(fileSize) {}
    ObjectFile object;
    TagTextBudget tagText;
    std::vector<PolygonTag> tags;  // each polygon tagged with one shares its text
    std::size_t pointBase = 0, pointCount = 0;
    std::size_t polygonBase = 0, polygonCount = 0;
    std::vector<std::string> chunkSurfaces;  // in the order of their surface chunks
    // Applied to the mesh once every chunk is read (ApplyLwoVertexMaps).
    LwoVertexMap<2> uvMap{false};
    LwoVertexMap<3> normalMap{true};
};

// The corner count at the start of a polygon in a POLS chunk, whose top six bits are flags.
inline std::size_t PolygonCornerCount(IffCursor &chunk) {
    return chunk.u2() & 0x03FFu;
}

// Reads `chunk` when it is one of the mesh chunks; false leaves it to the caller.
bool ReadLwoMeshChunk(LWID id, IffCursor &chunk, LwoMeshReading &reading);

// Gives the mesh read the texture coordinates and normals of its vertex maps.
void ApplyLwoVertexMaps(LwoMeshReading &reading);

// LWO2 and LWO3 start a surface with its name and the name of the surface it was derived from, of
// which nothing is kept. Returns the name, now also the next of the chunk surfaces.
std::string ReadSurfaceStart(IffCursor &chunk, LwoMeshReading &reading);

// The surfaces of the surface chunks, then those that polygons name without a surface chunk (in
// polygon order), as the host makes a default surface for those.
std::vector<std::string> LwoSurfaceList(const LwoMeshReading &reading);

// Checks that `bytes` is a FORM of `type` (named `typeName` in messages), then hands each
// top-level chunk to `visit` with a cursor over its body. A nested FORM is entered as a "form".
void ForEachLwoChunk(std::span<const std::uint8_t> bytes, const std::string &filename, LWID type,
                     const char *typeName,
                     const std::function<void(LWID id, IffCursor &chunk)> &visit);
