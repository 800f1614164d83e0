#include "sets/polygon_edges.h"

#include <algorithm>
#include <span>
#include <utility>

#include "host/scene/first_corners.h"
#include "sets/polygon_chunks.h"
#include "sets/sort_few.h"

using geometry::Vec3;

namespace {

// One polygon's use of an edge, listed under the edge's lower point.
struct EdgeUse {
    int higher;  // the edge's other point
    int polygon;
    int corner;  // the corner's index into `across`
};

// The points of the edge from corner c to the next, the lower first.
std::pair<int, int> EdgePoints(const std::vector<int> &points, std::size_t c) {
    int a = points[c], b = points[NextCorner(c, points.size())];
    return std::minmax(a, b);
}

// Joins the polygons across each edge of one lower point.
void MatchUses(const MeshData &mesh, std::span<EdgeUse> uses, std::vector<int> &across) {
    // Only uses of one edge need to come together.
    SortFew(uses, [](const EdgeUse &a, const EdgeUse &b) {
        return std::pair(a.higher, a.corner) < std::pair(b.higher, b.corner);
    });
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

PolygonEdges FindPolygonEdges(const MeshData &mesh, const geometry::PointPolygons &at) {
    PolygonEdges edges;
    edges.firstCorner = FirstCorners(mesh);
    edges.across.assign(edges.firstCorner.back(), -1);
    // Each edge is found at its lower point, among the polygons there; a point's edges name
    // corners of their own, so that the points share out over the cores.
    ForEachChunk(mesh.points.size(), 1 << 12, [&](std::size_t first, std::size_t last) {
        std::vector<EdgeUse> uses;
        for (std::size_t point = first; point < last; ++point) {
            uses.clear();
            for (int i = at.first[point]; i < at.first[point + 1]; ++i) {
                int p = at.polygons[i];
                const std::vector<int> &points = mesh.polygons[p].points;
                // An edge of the point leaves it from a corner there or arrives at one.
                for (std::size_t c = 0; c < points.size(); ++c) {
                    if (points[c] != static_cast<int>(point)) continue;
                    for (std::size_t edge : {c, (c == 0 ? points.size() : c) - 1}) {
                        auto [lower, higher] = EdgePoints(points, edge);
                        if (lower == static_cast<int>(point) && higher != lower)
                            uses.push_back(
                                {higher, p, edges.firstCorner[p] + static_cast<int>(edge)});
                    }
                }
            }
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
        Vec3 b = geometry::FromPoint(mesh.points[corners[NextCorner(i, corners.size())]]);
        sum += Cross(a, b);
    }
    return Length(sum) / 2;
}

Vec3 EdgeVector(const MeshData &mesh, const MeshPolygon &polygon, std::size_t corner) {
    const std::vector<int> &points = polygon.points;
    return geometry::FromPoint(mesh.points[points[NextCorner(corner, points.size())]]) -
           geometry::FromPoint(mesh.points[points[corner]]);
}
