// Where each polygon's corners start when the corners of every polygon stand in one list, in
// polygon order: how the per-corner tables (host normals, edge neighbours, sampled normals) are
// indexed.
#pragma once

#include <vector>

#include "host/scene/scene.h"

// Per polygon, the index of its first corner, and one entry more at the end: the corner count.
std::vector<int> FirstCorners(const MeshData &mesh);
