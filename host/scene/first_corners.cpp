#include "host/scene/first_corners.h"

std::vector<int> FirstCorners(const MeshData &mesh) {
    std::vector<int> first;
    first.reserve(mesh.polygons.size() + 1);
    first.push_back(0);
    for (const MeshPolygon &polygon : mesh.polygons)
        first.push_back(first.back() + static_cast<int>(polygon.points.size()));
    return first;
}
