#include "tools/velmora/unit_corner_normals.h"

namespace {

bool IsZero(const render::Vec3 &normal) {
    return render::Normalize(normal) == render::Vec3{};
}

render::Vec3 NeighboursNormal(const render::HostShape &shape, int point) {
    render::Vec3 sum;
    for (int i = shape.at.first[point]; i < shape.at.first[point + 1]; ++i)
        sum += shape.polygon[std::size_t(shape.at.polygons[i])];
    return render::Normalize(sum);
}

render::Vec3 Replacement(const render::HostShape &shape, const render::Vec3 &hostNormal,
                         int point) {
    if (!IsZero(hostNormal)) return render::Normalize(hostNormal);
    render::Vec3 neighbours = NeighboursNormal(shape, point);
    return IsZero(neighbours) ? render::Vec3{0, 1, 0} : neighbours;
}

}  // namespace

std::size_t ReplaceZeroNormals(const MeshData &mesh, const render::HostShape &shape,
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
