#include "sets/polygon_edges.h"

#include <algorithm>
#include <span>
#include <utility>

#include "host/scene/first_corners.h"
#include "sets/polygon_chunks.h"

using geometry::Vec3;

namespace {

// One polygon's use of an edge, listed under the edge's lower point.
struct EdgeUse {
    int higher;  // the edge's other point
    int polygon;
    int corner;  // the corner's index into `across`
    auto operator<=>(const EdgeUse &) const = default;
};

// The points of the edge from corner c to the next, the lower first.
std::pair<int, int> EdgePoints(const std::vector<int> &points, std::size_t c) {
    int a = points[c], b = points[(c + 1) % points.size()];
    return std::minmax(a, b);
}

// Every edge use, grouped by its lower point in a counting sort, each point's uses in polygon
// order: sorting all the uses at once would cost more than the rest of a proposal.
struct UsesByPoint {
    std::vector<int> first;  // per point, where its uses begin; one extra at the end
    std::vector<EdgeUse> uses;
};

UsesByPoint GroupUsesByPoint(const MeshData &mesh, const std::vector<int> &firstCorner) {
    UsesByPoint grouped;
    grouped.first.assign(mesh.points.size() + 1, 0);
    for (const MeshPolygon &polygon : mesh.polygons)
        for (std::size_t c = 0; c < polygon.points.size(); ++c) {
            auto [lower, higher] = EdgePoints(polygon.points, c);
            if (lower != higher) ++grouped.first[lower + 1];
        }
    for (std::size_t point = 0; point < mesh.points.size(); ++point)
        grouped.first[point + 1] += grouped.first[point];
    grouped.uses.resize(grouped.first.back());
    // Each point's entry moves to the end of its uses and counts back down to their beginning as
    // the uses are filled in from the last polygon to the first.
    std::copy(grouped.first.begin() + 1, grouped.first.end(), grouped.first.begin());
    for (int p = static_cast<int>(mesh.polygons.size()) - 1; p >= 0; --p) {
        const std::vector<int> &points = mesh.polygons[p].points;
        for (std::size_t c = points.size(); c-- > 0;) {
            auto [lower, higher] = EdgePoints(points, c);
            if (lower != higher)
                grouped.uses[--grouped.first[lower]] = {higher, p,
                                                        firstCorner[p] + static_cast<int>(c)};
        }
    }
    return grouped;
}

// Joins the polygons across each edge of one lower point.
void MatchUses(const MeshData &mesh, std::span<EdgeUse> uses, std::vector<int> &across) {
    std::sort(uses.begin(), uses.end());
    for (std::size_t i = 0; i < uses.size();) {
        std::size_t end = i;
        while (end < uses.size() && uses[end].higher == uses[i].higher) ++end;
        if (end - i == 2) {
            const EdgeUse &a = uses[i], &b = uses[i + 1];
            if (a.polygon != b.polygon &&
                mesh.polygons[a.polygon].surface == mesh.polygons[b.polygon].surface) {
                across[a.corner] = b.polygon;
                across[b.corner] = a.polygon;
            }
        }
        i = end;
    }
}

}  // namespace

PolygonEdges FindPolygonEdges(const MeshData &mesh) {
    PolygonEdges edges;
    edges.firstCorner = FirstCorners(mesh);
    edges.across.assign(edges.firstCorner.back(), -1);
    UsesByPoint grouped = GroupUsesByPoint(mesh, edges.firstCorner);
    // Each point's uses are its own, and so are the corners they name: the points share out.
    ForEachChunk(mesh.points.size(), 1 << 14, [&](std::size_t first, std::size_t last) {
        for (std::size_t point = first; point < last; ++point) {
            std::span<EdgeUse> uses(grouped.uses.data() + grouped.first[point],
                                    grouped.uses.data() + grouped.first[point + 1]);
            MatchUses(mesh, uses, edges.across);
        }
    });
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
