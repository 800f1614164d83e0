// Exported normals must have unit length: an engine rejects a zero normal or shades it black. The
// module leaves a corner of a polygon without area (all its corners on a line) a zero normal, as
// the host's own smoothing there has nothing to go by.
#pragma once

#include <cstddef>

#include "host/formats/corner_normal_block.h"
#include "host/scene/host_normals.h"
#include "host/scene/scene.h"

// Gives each corner of `block` whose normal is zero (or not finite) the host's normal there
// (`block.hostNormals`); where that is zero too, the normalized sum of the normals of the polygons
// at the corner's point; where even that is zero, +Y. Lines and single points are left as they
// are: no mesh format gives them normals. Returns how many corners it replaced.
std::size_t ReplaceZeroNormals(const MeshData &mesh, const geometry::HostShape &shape,
                               CornerBlock &block);
