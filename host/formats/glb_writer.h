// Writes an object's mesh with its corner normals as a glTF 2.0 binary file (.glb), the form game
// engines, modelling packages and web viewers import.
//
// - One mesh, one primitive per surface (in the order of the object's surfaces), each with a
//   material named after its surface, with the surface's colour as its base colour where the
//   object gives one. Lines and single points are left out: they carry no
//   normals a renderer shades with.
// - Attributes: POSITION; NORMAL, the corner's normal from the blocks; TEXCOORD_0 where any
//   polygon of the surface has texture coordinates (corners without get 0, 0); `_SET`, a float
//   holding the index of the polygon's set (its PART tag) in the primitive's `extras.sets`, or -1
//   for none; with `hostNormals`, `_NORMAL_HOST`, the host's normal from the blocks.
// - Names (the mesh's and node's after the object's file, the materials', the sets') are UTF-8
//   as glTF asks: a name whose bytes are not UTF-8 is read as Latin-1 (see Utf8Text).
// - A vertex is shared by the corners of a primitive that agree in point and in every attribute.
// - Polygons of more than three corners become the fans of triangles the host renders them as:
//   corners (0, k + 1, k + 2) for k from 0. A triangle two of whose corners lie at one position
//   (a polygon that repeats a point) covers nothing and is left out, as importers drop it.
// - Frame: the object's frame is left-handed with +Y up, glTF's right-handed with +Y up, so Z is
//   negated (positions and normals) and every triangle's winding is reversed, which keeps its
//   front the side the object shows. Texture coordinates have their origin at the bottom left,
//   glTF's at the top left: v becomes 1 - v.
#pragma once

#include <cstdio>

#include "host/formats/corner_normal_block.h"
#include "host/scene/scene.h"

struct GlbOptions {
    bool hostNormals = false;  // write the blocks' hostNormals as `_NORMAL_HOST`
};

// The blocks' normals must have unit length. A failed write throws std::system_error.
void WriteGlb(std::FILE *out, const ObjectFile &object, const NextCornerBlock &next,
              const GlbOptions &options = {});
