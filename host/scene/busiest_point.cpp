#include "host/scene/busiest_point.h"

#include <vector>

PointShare BusiestPoint(const MeshData &mesh) {
    std::vector<std::size_t> corners(mesh.points.size(), 0);
    PointShare busiest;
    for (const MeshPolygon &polygon : mesh.polygons)
        for (int point : polygon.points) {
            if (point < 0 || static_cast<std::size_t>(point) >= corners.size()) continue;
            if (++corners[point] > busiest.corners) busiest = {point, corners[point]};
        }
    return busiest;
}
