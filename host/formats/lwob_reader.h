// Reads LightWave LWOB objects, the form of the hosts before LWO2, into the scene model.
//
// PNTS holds the points, SRFS the surface names, POLS the polygons: each lists its points
// (2-byte indices) and a 1-based index into SRFS; a negative index announces detail polygons,
// which follow it (after their count) in the same form and are read as polygons of their own,
// in file order. Every polygon is a FACE without a part. A SURF chunk gives a surface's flags
// and maximum smoothing angle (SMAN, radians): the host smooths the surface when the smoothing
// flag (4) is set, at SMAN or, without one, at the host's default angle. The surface's look is
// read from COLR (8-bit channels), LUMI, DIFF, SPEC, REFL, TRAN (256ths, or exactly from VLUM,
// VDIF, VSPC, VRFL, VTRN), GLOS (a power) and the luminous (1) and double-sided (256) flags, in
// LWO2's units. Curves (CRVS), patches (PCHS), textures, other surface attributes and unknown
// chunks are skipped.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/scene/scene.h"

// Throws FormatError naming `filename`, the chunk, its byte offset and the problem.
ObjectFile ParseLwob(std::span<const std::uint8_t> bytes, const std::string &filename);
