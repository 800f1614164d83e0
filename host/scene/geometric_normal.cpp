#include "host/scene/geometric_normal.h"

namespace geometry {

Vec3 GeometricNormal(const MeshData &mesh, const MeshPolygon &polygon) {
    std::size_t corners = polygon.points.size();
    if (corners < 3) return {};
    auto at = [&](std::size_t corner) { return FromPoint(mesh.points[polygon.points[corner]]); };
    Vec3 p0 = at(0);
    return Normalize(Cross(at(1) - p0, at(corners - 1) - p0));
}

}  // namespace geometry
