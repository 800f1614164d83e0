// Writes meshes as Wavefront OBJ text, with the normals at their faces' corners when given.
//
// Numbers are the shortest texts that read back to the same floats, the precision OBJ readers
// keep. Given normals (a block of polygons at a time), corners whose normals are the same float
// triple share one `vn`, numbered in the order of their first corners, each written just before
// the first face that uses it. Lines and single points carry no normals.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "host/formats/corner_normal_block.h"
#include "host/formats/mesh_frame.h"
#include "host/scene/scene.h"

// An object's mesh: a comment naming the object, its points as `v`, its texture coordinates as
// `vt`, then its polygons in order as `f`, `l` (two points) and `p` (one point), with a `g`
// statement where the part changes and `usemtl` where the surface changes (polygons without one
// get "Default"), and each corner's `vt` where its polygon has texture corners. Shaders,
// smoothing and polygon types do not exist in OBJ. Reading the text back gives the same mesh when
// the object's two-point polygons come after all its other polygons and every polygon has a
// surface but no smoothing group.
//
// Points, normals and the corners' order are in `frame` (mesh_frame.h); texture coordinates
// stay as they are. `normals` may be empty. A failed write throws std::system_error.
void WriteObj(std::FILE *out, const ObjectFile &object, const NextCornerBlock &normals = {},
              MeshFrame frame = MeshFrame::leftHanded);

// The same text, without normals.
std::string ObjText(const ObjectFile &object);

// An OBJ file's own text with the normals at its faces' corners: every statement of `source`,
// the file `mesh` was read from, is kept in order with its spacing, but for its `vn` statements,
// which the new `vn` lines replace, and its faces' normal indices, which now name those. A face's
// corners get the normals of the mesh polygon read from it.
void WriteObjWithNormals(std::FILE *out, std::string_view source, const MeshData &mesh,
                         const NextCornerBlock &normals);
