// Which corners of a polygon surround a hit, and how much each weighs: the host's vertex slots
// of a shading sample.
#pragma once

#include "host/scene/scene.h"
#include "host/scene/vec3.h"

namespace geometry {

struct CornerWeights {
    int corner[4] = {-1, -1, -1, -1};  // index into the polygon's points; -1 = unused slot
    float weight[4] = {0, 0, 0, 0};
};

// A hit on fan triangle `fan` (corners 0, fan + 1, fan + 2) of `polygon` at barycentric (u, v)
// of that triangle's second and third corner, at position `hit`.
// Triangles get their barycentric weights; quads bilinear weights over all four corners;
// larger polygons the corners of the hit triangle.
CornerWeights HitCornerWeights(const MeshData &mesh, const MeshPolygon &polygon, Vec3 normal,
                               int fan, float u, float v, Vec3 hit);

}  // namespace geometry
