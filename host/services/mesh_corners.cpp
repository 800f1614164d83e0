#include "host/services/mesh_corners.h"

#include "host/scene/scene_ids.h"

MeshCorners::MeshCorners(const MeshData &mesh) : source(mesh) {
    first.reserve(mesh.polygons.size() + 1);
    first.push_back(0);
    for (const MeshPolygon &polygon : mesh.polygons) {
        for (int point : polygon.points) {
            bool known = point >= 0 && point < static_cast<int>(mesh.points.size());
            points.push_back(known ? point : -1);
        }
        first.push_back(static_cast<std::uint32_t>(points.size()));
    }
}

int MeshCorners::polygonIndex(LWPolID polygon) const {
    const MeshPolygon *found = FindPolygon(source, polygon);
    return found ? static_cast<int>(found - source.polygons.data()) : -1;
}
