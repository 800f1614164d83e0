// The two ways `velmora normals` writes what the module computed at every corner. A failed write
// throws std::system_error with the reason.
#pragma once

#include <cstdio>
#include <functional>

#include "host/scene/scene.h"
#include "tools/velmora/corner_normals.h"

// Hands out the corner normals of a mesh a block at a time, in polygon order and covering every
// polygon; nullptr after the last block. Each block is written before the next is asked for.
using NextCornerBlock = std::function<const CornerBlock *()>;

// A header line `object,polygon,corner,point,nx,ny,nz`, then one line per corner; indices are
// 0-based in file order and numbers carry 17 significant digits, enough to read back every bit.
void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const NextCornerBlock &next);

// The mesh with its face corners' normals, for other tools. Numbers are the shortest texts that
// read back to the same floats, the precision OBJ readers keep; corners whose normals are the
// same float triple share one `vn`, numbered in the order of their first corners. All points come
// first; then, block by block, the block's new `vn` and its polygons. Lines and single points are
// written as `l` and `p` statements, without normals.
void WriteNormalsObj(std::FILE *out, const MeshData &mesh, const NextCornerBlock &next);
