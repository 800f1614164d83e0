// Reads Wavefront OBJ objects into the scene model; tinyobjloader parses the statements.
//
// The mapping, as LightWave's own OBJ import makes it:
// - points: the `v` statements in order; faces and lines share them by index (1-based, or
//   negative for counting back from the latest `v`), and only to points defined before them;
//   normals and texture coordinates are dropped.
// - polygons: the faces (`f`) in file order, then the lines (`l`) in file order, each line of n
//   points giving its n - 1 segments as two-point polygons. Point statements (`p`) are dropped.
// - PART: the name of the latest `g` or `o` statement, whichever came last (a `g` with several
//   names joins them with single spaces, as tinyobjloader does); a `g` or `o` without a name
//   leaves the polygons after it without a part.
// - SURF: the name of the latest `usemtl`; polygons before any `usemtl` get the surface "Default",
//   since every LightWave polygon has a surface. Surfaces are listed in order of first use in the
//   polygon list.
// - smoothing: OBJ keeps none a host reads (its `s` groups are dropped), so every surface is
//   smoothed at the host's default angle for a smoothed surface, 89.5 degrees, as a surface
//   made on import gets it.
// - material libraries (`mtllib`) are never opened: a missing .mtl file cannot fail the load.
#pragma once

#include <string>
#include <string_view>

#include "host/scene/scene.h"

inline constexpr const char *kObjDefaultSurface = "Default";

// Throws FormatError naming `filename`, the line, its byte offset and the problem.
ObjectFile ParseObj(std::string_view text, const std::string &filename);
// Reads the file at `path`; the object's filename is `path`.
ObjectFile ReadObj(const std::string &path);
