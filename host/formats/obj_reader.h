// Reads Wavefront OBJ objects into the scene model.
//
// The mapping, as LightWave's own OBJ import makes it:
// - points: the `v` statements in order; faces and lines share them by index (1-based, or
//   negative for counting back from the latest `v`), and only to points defined before them;
//   normals are checked and dropped.
// - polygons: the faces (`f`) and points (`p`, each point a one-point polygon) in file order,
//   then the lines (`l`) in file order, each line of n points giving its n - 1 segments as
//   two-point polygons.
// - PART: the name of the latest `g` or `o` statement, whichever came last (a `g` with several
//   names joins them with single spaces); a `g` or `o` without a name leaves the polygons after
//   it without a part.
// - SURF: the name of the latest `usemtl`; polygons before any `usemtl` get the surface "Default",
//   since every LightWave polygon has a surface. Surfaces are listed in order of first use in the
//   polygon list.
// - smoothing groups: each polygon keeps the number of the latest `s` (`s off` and `s 0` are
//   none; a statement naming several keeps the lowest), for commands that make sets of them.
// - texture coordinates: the `vt` statements (u and v) and, for polygons whose corners all
//   name one, the corners' texture indices.
// - smoothing: OBJ keeps none a host reads, so every surface is smoothed at the host's default
//   angle for a smoothed surface, 89.5 degrees, as a surface made on import gets it; the `s`
//   groups above only serve commands that make polygon sets of them.
// - material libraries (`mtllib`) are never opened: a missing .mtl file cannot fail the load.
//
// Reading is strict: an index that is not a number, is zero or out of range, a coordinate that
// is missing, not a number or not a finite 32-bit float, and a file that is not text are errors.
// The reader tokenizes with std::from_chars itself, as tinyobjloader can report no columns,
// wraps indices and reads malformed numbers as zero. A large file is read by all cores: its
// lines are split into chunks that are read at once, and the result does not depend on how.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "host/scene/scene.h"

inline constexpr const char *kObjDefaultSurface = "Default";

// How ParseObj shares out its work; the object it reads does not depend on it.
struct ObjReadWork {
    unsigned threads = 0;              // 0: one per core
    std::size_t chunkBytes = 1 << 20;  // the text is read in line-aligned chunks of about this
};

// Throws FormatError naming `filename`, the line, the byte it starts at, the column and the
// problem, quoting the text at fault; for a file with several problems, the first in the file.
ObjectFile ParseObj(std::string_view text, const std::string &filename,
                    const ObjReadWork &work = {});
