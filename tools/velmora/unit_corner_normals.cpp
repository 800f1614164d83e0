#include "tools/velmora/unit_corner_normals.h"

namespace {

bool IsZero(const geometry::Vec3 &normal) {
    return geometry::Normalize(normal) == geometry::Vec3{};
}

geometry::Vec3 NeighboursNormal(const geometry::HostShape &shape, int point) {
    geometry::Vec3 sum;
    for (int i = shape.at.first[point]; i < shape.at.first[point + 1]; ++i)
        sum += shape.polygon[std::size_t(shape.at.polygons[i])];
    return geometry::Normalize(sum);
}

geometry::Vec3 Replacement(const geometry::HostShape &shape, const geometry::Vec3 &hostNormal,
                           int point) {
    if (!IsZero(hostNormal)) return geometry::Normalize(hostNormal);
    geometry::Vec3 neighbours = NeighboursNormal(shape, point);
    return IsZero(neighbours) ? geometry::Vec3{0, 1, 0} : neighbours;
}

}  // namespace

std::size_t ReplaceZeroNormals(const MeshData &mesh, const geometry::HostShape &shape,
                               CornerBlock &block) {
    std::size_t replaced = 0, corner = 0;
    for (std::size_t p = block.firstPolygon; p < block.endPolygon; ++p) {
        const std::vector<int> &points = mesh.polygons[p].points;
        for (std::size_t c = 0; points.size() >= 3 && c < points.size(); ++c) {
            CornerNormal &normal = block.normals[corner + c];
            if (!IsZero(normal)) continue;
            normal = Replacement(shape, block.hostNormals[corner + c], points[c]);
            ++replaced;
        }
        corner += points.size();
    }
    return replaced;
}
