// Reads LightWave LWO2 object files into the scene model.
//
// The mesh is read as lwo_mesh_chunks.h says; for the usual one-layer object its points and
// polygons are exactly those of its PNTS and POLS chunks. Unknown chunks are skipped. Surfaces
// are listed in the order of their SURF chunks, followed by surfaces that polygons name without
// a SURF chunk. Of a surface's sub-chunks only its maximum smoothing angle (SMAN), its look
// (lwo_surface_look.h) and its shader blocks are kept (a block without ENAB is enabled; one without
// FUNC is damaged); its source surface, other attributes and texture blocks are skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/scene/scene.h"

// Throws FormatError naming `filename`, the chunk, its byte offset and the problem.
ObjectFile ParseLwo2(std::span<const std::uint8_t> bytes, const std::string &filename);
// Reads the file at `path`; the object's filename is `path`.
ObjectFile ReadLwo2(const std::string &path);
