// Reads LightWave LWO2 object files into the scene model.
//
// Every layer's points and polygons are appended in file order, so an object is one mesh whose
// points and polygons are numbered 0-based across the file; for the usual one-layer object this
// is exactly the order of its PNTS and POLS chunks. Polygons keep their type (FACE, CURV, PTCH,
// SUBD, MBAL, BONE...), SURF and PART polygon tags become the polygons' surface and part, other
// tag types and unknown chunks are skipped. Surfaces are listed in the order of their SURF chunks,
// followed by surfaces that polygons name without a SURF chunk (in polygon order), as the host
// makes a default surface for those. Of a surface's sub-chunks only its shader blocks are kept
// (a block without ENAB is enabled; one without FUNC is damaged); its source surface, other
// attributes and texture blocks are skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/scene/scene.h"

// Throws FormatError naming `filename`, the chunk, its byte offset and the problem.
ObjectFile ParseLwo2(std::span<const std::uint8_t> bytes, const std::string &filename);
// Reads the file at `path`; the object's filename is `path`.
ObjectFile ReadLwo2(const std::string &path);
