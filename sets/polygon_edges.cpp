#include "sets/polygon_edges.h"

#include <algorithm>
#include <cstdint>

#include "host/scene/first_corners.h"

using geometry::Vec3;

namespace {

struct EdgeUse {
    std::uint64_t key;  // the lower point index, then the higher
    int polygon;
    int corner;  // the corner's index into `across`
    auto operator<=>(const EdgeUse &) const = default;
};

}  // namespace

PolygonEdges FindPolygonEdges(const MeshData &mesh) {
    PolygonEdges edges;
    edges.firstCorner = FirstCorners(mesh);
    edges.across.assign(edges.firstCorner.back(), -1);

    std::vector<EdgeUse> uses;
    uses.reserve(edges.across.size());
    for (int p = 0; p < static_cast<int>(mesh.polygons.size()); ++p) {
        const std::vector<int> &points = mesh.polygons[p].points;
        for (std::size_t c = 0; c < points.size(); ++c) {
            auto a = static_cast<std::uint32_t>(points[c]);
            auto b = static_cast<std::uint32_t>(points[(c + 1) % points.size()]);
            if (a == b) continue;
            std::uint64_t key = (std::uint64_t(std::min(a, b)) << 32) | std::max(a, b);
            uses.push_back({key, p, edges.firstCorner[p] + static_cast<int>(c)});
        }
    }
    // Sorted, every edge's uses lie together in polygon order, whatever the threads or platform.
    std::sort(uses.begin(), uses.end());
    for (std::size_t i = 0; i < uses.size();) {
        std::size_t end = i;
        while (end < uses.size() && uses[end].key == uses[i].key) ++end;
        const EdgeUse &a = uses[i], &b = uses[i + 1];
        if (end - i == 2 && a.polygon != b.polygon &&
            mesh.polygons[a.polygon].surface == mesh.polygons[b.polygon].surface) {
            edges.across[a.corner] = b.polygon;
            edges.across[b.corner] = a.polygon;
        }
        i = end;
    }
    return edges;
}

double PolygonArea(const MeshData &mesh, const MeshPolygon &polygon) {
    const std::vector<int> &corners = polygon.points;
    Vec3 sum;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        Vec3 a = geometry::FromPoint(mesh.points[corners[i]]);
        Vec3 b = geometry::FromPoint(mesh.points[corners[(i + 1) % corners.size()]]);
        sum += Cross(a, b);
    }
    return Length(sum) / 2;
}

Vec3 EdgeVector(const MeshData &mesh, const MeshPolygon &polygon, std::size_t corner) {
    const std::vector<int> &points = polygon.points;
    return geometry::FromPoint(mesh.points[points[(corner + 1) % points.size()]]) -
           geometry::FromPoint(mesh.points[points[corner]]);
}
