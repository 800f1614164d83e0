// Normals at polygon corners handed to a writer a block of polygons at a time, so that a large
// mesh's corner normals never all exist at once.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "host/scene/vec3.h"

using CornerNormal = geometry::Vec3;

// The normals at the corners of the polygons [firstPolygon, endPolygon), in polygon order, then
// corner order: the module's, and the host's own where the writer asked for them (else empty).
struct CornerBlock {
    std::size_t firstPolygon = 0, endPolygon = 0;
    std::vector<CornerNormal> normals;
    std::vector<CornerNormal> hostNormals;
};

// Hands out a mesh's corner blocks in polygon order, covering every polygon; nullptr after the
// last block. Each block is valid until the next is asked for.
using NextCornerBlock = std::function<const CornerBlock *()>;
