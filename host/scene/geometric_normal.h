// The polygon's normal from its corners 0, 1 and n - 1, the corners the module takes it from, so
// that a sample given it is never turned over by the module.
#pragma once

#include "host/scene/scene.h"
#include "host/scene/vec3.h"

namespace geometry {

// Zero when the polygon has fewer than three corners or those three are in a line.
Vec3 GeometricNormal(const MeshData &mesh, const MeshPolygon &polygon);

}  // namespace geometry
