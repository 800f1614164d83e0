// Reads LightWave LWO3 object files, the form current hosts save by default, into the scene
// model.
//
// The top-level chunks are those of LWO2 (lwo_mesh_chunks.h reads the mesh); unknown chunks and
// forms (clips, envelopes) are skipped. A surface is a nested FORM SURF whose parts all have
// 4-byte sizes: first a chunk holding the surface's name and its source surface, then its
// attributes and forms. Of those the maximum smoothing angle (SMAN, radians, as in LWO2) and the
// look (lwo_surface_look.h) are kept. Everything else is stepped over by its size: the node
// graph (FORM NODS), the surface's integrator (FORM SSHA), texture layers and plug-in blocks
// (FORM BLOK) and the other attribute chunks. How a shader plug-in's block is laid out inside an
// LWO3 surface is not publicly documented, so no shader block is read from these files.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/scene/scene.h"

// Throws FormatError naming `filename`, the chunk, its byte offset and the problem.
ObjectFile ParseLwo3(std::span<const std::uint8_t> bytes, const std::string &filename);
