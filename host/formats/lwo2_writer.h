// Writes an object of the scene model as a one-layer LWO2 object file: TAGS, LAYR, PNTS, the
// texture coordinates' VMAP, then POLS for each run of polygons of one type with its PTAG SURF and
// PART and the VMAD of its seams, then one SURF chunk per surface carrying the surface's smoothing
// angle (SMAN), look (lwo_surface_look.h) and shader blocks. Reading the result gives the same
// ObjectFile, but that texture coordinates come back numbered as the maps give them: each
// corner's the same value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/scene/scene.h"

// Throws FormatError naming `filename` when the object cannot be stored in the format, e.g. a
// shader block larger than a sub-chunk holds; nothing is half-encoded then.
std::vector<std::uint8_t> EncodeLwo2(const ObjectFile &object, const std::string &filename);
// Encodes, then replaces the file at `path` at once: on failure the old file is left as it was.
void WriteLwo2(const ObjectFile &object, const std::string &path);
// The one unnamed layer at the origin and its PNTS chunk, laid out alike in LWO2 and LWO3.
void WriteLayerWithPoints(IffWriter &out, const MeshData &mesh);
