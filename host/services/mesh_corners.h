// The corners of every polygon of a mesh in one flat array. A mesh accessor answers its hot
// queries (polygon size, corner point) from these few bytes per polygon instead of the scene's
// polygon records, as a renderer's own compact mesh would; the scene's records stay the source of
// tags and positions. Made once per mesh; the mesh must keep its shape while it is used.
#pragma once

#include <cstdint>
#include <vector>

#include "host/scene/scene.h"

class MeshCorners {
  public:
    explicit MeshCorners(const MeshData &mesh);

    const MeshData &mesh() const { return source; }
    // -1 when `polygon` is not a polygon of the mesh.
    int polygonIndex(LWPolID polygon) const;
    int size(int polygon) const { return static_cast<int>(first[polygon + 1] - first[polygon]); }
    // The corner's point index, or -1 for a corner that names no point of the mesh.
    int point(int polygon, int corner) const { return points[first[polygon] + corner]; }

  private:
    const MeshData &source;
    std::vector<std::uint32_t> first;  // polygon p's corners are points[first[p] .. first[p + 1])
    std::vector<std::int32_t> points;
};
