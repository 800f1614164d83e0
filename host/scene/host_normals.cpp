#include "host/scene/host_normals.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

#include "host/scene/first_corners.h"

namespace geometry {

PointPolygons CollectPointPolygons(const MeshData &mesh) {
    PointPolygons at;
    std::vector<int> count(mesh.points.size(), 0);
    std::vector<int> lastPolygonAt(mesh.points.size(), -1);
    for (int p = 0; p < static_cast<int>(mesh.polygons.size()); ++p)
        for (int point : mesh.polygons[p].points)
            if (lastPolygonAt[point] != p) {
                lastPolygonAt[point] = p;
                ++count[point];
            }
    at.first.assign(mesh.points.size() + 1, 0);
    for (size_t i = 0; i < mesh.points.size(); ++i) at.first[i + 1] = at.first[i] + count[i];
    at.polygons.resize(at.first.back());
    std::vector<int> next(at.first.begin(), at.first.end() - 1);
    lastPolygonAt.assign(mesh.points.size(), -1);
    for (int p = 0; p < static_cast<int>(mesh.polygons.size()); ++p)
        for (int point : mesh.polygons[p].points)
            if (lastPolygonAt[point] != p) {
                lastPolygonAt[point] = p;
                at.polygons[next[point]++] = p;
            }
    return at;
}

namespace {

// Beyond this many polygons at a point, their normals are gathered for the point's corners to
// query; below it, walking them is cheaper than gathering them.
constexpr int CrowdedFrom = 64;

CrowdedPoint GatherCrowdedPoint(const MeshData &mesh, std::span<const int> polygons,
                                const std::vector<Vec3> &normals) {
    std::unordered_map<std::string_view, std::vector<Vec3>> bySurface;
    std::vector<Vec3> withoutSurface;
    for (int p : polygons) {
        const PolygonTag &surface = mesh.polygons[p].surface;
        (surface ? bySurface[*surface] : withoutSurface).push_back(normals[p]);
    }
    CrowdedPoint crowded;
    for (const auto &[surface, group] : bySurface) crowded.bySurface.emplace(surface, group);
    if (!withoutSurface.empty()) crowded.withoutSurface.emplace(withoutSurface);
    return crowded;
}

std::unordered_map<int, CrowdedPoint> GatherCrowdedPoints(const MeshData &mesh,
                                                          const HostShape &shape) {
    std::unordered_map<int, CrowdedPoint> crowded;
    const PointPolygons &at = shape.at;
    for (int point = 0; point + 1 < static_cast<int>(at.first.size()); ++point) {
        int first = at.first[point], count = at.first[point + 1] - first;
        if (count < CrowdedFrom) continue;
        std::span<const int> polygons(at.polygons.data() + first, static_cast<std::size_t>(count));
        crowded.emplace(point, GatherCrowdedPoint(mesh, polygons, shape.polygon));
    }
    return crowded;
}

// The normals of polygon p's neighbours at a point that join its smoothing, plus its own.
Vec3 SmoothedSum(const MeshData &mesh, const HostShape &shape, std::size_t p, int point,
                 double threshold) {
    const MeshPolygon &polygon = mesh.polygons[p];
    Vec3 own = shape.polygon[p];
    if (auto crowded = shape.crowded.find(point); crowded != shape.crowded.end()) {
        const CrowdedPoint &groups = crowded->second;
        const NormalCapSums &group =
            polygon.surface ? groups.bySurface.at(*polygon.surface) : *groups.withoutSurface;
        // The group holds the polygon itself, counted once whether it passes its own test or not.
        Vec3 joined = group.SumWithin(own, threshold);
        return Dot(own, own) > threshold ? joined : own + joined;
    }
    const PointPolygons &at = shape.at;
    Vec3 sum = own;
    for (int i = at.first[point]; i < at.first[point + 1]; ++i) {
        auto q = static_cast<std::size_t>(at.polygons[i]);
        if (q == p || mesh.polygons[q].surface != polygon.surface) continue;
        if (Dot(own, shape.polygon[q]) > threshold) sum += shape.polygon[q];
    }
    return sum;
}

double SmoothingCosine(const SmoothingAngles &angles, const MeshPolygon &polygon) {
    double degrees = angles.defaultDegrees;
    if (polygon.surface) {
        auto found = angles.degreesBySurface.find(*polygon.surface);
        if (found != angles.degreesBySurface.end()) degrees = found->second;
    }
    // Above every cosine, so that no neighbour joins: a file may hold any angle, NaN included.
    if (!(degrees > 0)) return 2;
    return std::cos(std::min(degrees, 180.0) * std::numbers::pi / 180);
}

}  // namespace

SmoothingAngles SurfaceSmoothing(const ObjectFile &file,
                                 std::optional<double> everySurfaceDegrees) {
    if (everySurfaceDegrees) return {*everySurfaceDegrees, {}};
    SmoothingAngles angles;
    for (const auto &[surface, radians] : file.smoothing)
        angles.degreesBySurface[surface] = double(radians) * 180 / std::numbers::pi;
    return angles;
}

Vec3 PolygonNormal(const MeshData &mesh, const MeshPolygon &polygon) {
    const std::vector<int> &corners = polygon.points;
    if (corners.size() < 3) return {};
    Vec3 sum;
    for (size_t i = 0; i < corners.size(); ++i) {
        Vec3 a = FromPoint(mesh.points[corners[i]]);
        Vec3 b = FromPoint(mesh.points[corners[NextCorner(i, corners.size())]]);
        sum +=
            Vec3{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
    }
    return Normalize(sum);
}

HostShape ComputeHostShape(const MeshData &mesh) {
    HostShape shape;
    shape.polygon.reserve(mesh.polygons.size());
    for (const MeshPolygon &polygon : mesh.polygons)
        shape.polygon.push_back(PolygonNormal(mesh, polygon));
    shape.at = CollectPointPolygons(mesh);
    shape.crowded = GatherCrowdedPoints(mesh, shape);
    return shape;
}

void ComputeCornerNormals(const MeshData &mesh, const HostShape &shape,
                          const SmoothingAngles &angles, std::size_t first, std::size_t last,
                          std::span<Vec3> corners) {
    auto next = corners.begin();
    for (std::size_t p = first; p < last; ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        double threshold = SmoothingCosine(angles, polygon);
        for (int point : polygon.points)
            *next++ = Normalize(SmoothedSum(mesh, shape, p, point, threshold));
    }
    assert(next == corners.end());
}

HostNormals ComputeHostNormals(const MeshData &mesh, const SmoothingAngles &angles) {
    HostShape shape = ComputeHostShape(mesh);
    HostNormals normals;
    normals.firstCorner = FirstCorners(mesh);
    normals.corner.resize(normals.firstCorner.back());
    ComputeCornerNormals(mesh, shape, angles, 0, mesh.polygons.size(), normals.corner);
    normals.polygon = std::move(shape.polygon);
    return normals;
}

}  // namespace geometry
