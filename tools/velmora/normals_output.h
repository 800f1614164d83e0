// The CSV that `velmora normals` writes of what the module computed at every corner; the mesh
// formats are written by host/formats. A failed write throws std::system_error with the reason.
#pragma once

#include <cstdio>

#include "host/formats/corner_normal_block.h"
#include "host/formats/mesh_frame.h"
#include "host/scene/scene.h"

// A header line `object,polygon,corner,point,nx,ny,nz`, then one line per corner; indices are
// 0-based in file order and numbers carry 17 significant digits, enough to read back every bit.
// The normals and the corners' order are in `frame`: a corner is numbered by its place in it.
void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const NextCornerBlock &next, MeshFrame frame = MeshFrame::leftHanded);
