#include "host/render/camera.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace render {

using geometry::Cross;
using geometry::Dot;
using geometry::FromPoint;
using geometry::Length;
using geometry::Normalize;
using geometry::Vec3;

namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

Vec3 ViewDirection(const View &view) {
    double azimuth = Radians(view.azimuthDegrees), elevation = Radians(view.elevationDegrees);
    return {std::sin(azimuth) * std::cos(elevation), std::sin(elevation),
            -std::cos(azimuth) * std::cos(elevation)};
}

// The 26 directions from a cube's centre to its faces, edges and corners.
std::vector<Vec3> ExtremeDirections() {
    std::vector<Vec3> directions;
    for (int x = -1; x <= 1; ++x)
        for (int y = -1; y <= 1; ++y)
            for (int z = -1; z <= 1; ++z)
                if (x || y || z) directions.push_back({double(x), double(y), double(z)});
    return directions;
}

// How much of the picture's narrower side the framed object fills, the rest left as margin.
constexpr double Fill = 0.9;

// The eye's distance from `target` that keeps every extreme inside `Fill` of the picture: a point
// at `across`, `above` from the view's axis and `depth` beyond the target projects to
// across / (distance + depth), which must stay within the picture's half extent.
double FittingDistance(const Bounds &bounds, Vec3 target, Vec3 forward, Vec3 right, Vec3 up,
                       double halfWidth, double halfHeight) {
    double distance = 0, nearest = 0;
    for (Vec3 p : bounds.extremes) {
        Vec3 d = p - target;
        double depth = Dot(d, forward);
        distance = std::max({distance, std::abs(Dot(d, right)) / (Fill * halfWidth) - depth,
                             std::abs(Dot(d, up)) / (Fill * halfHeight) - depth});
        nearest = std::max(nearest, -depth);
    }
    // Never inside the object: the nearest extreme stays in front of the eye.
    return std::max(distance, 1.1 * nearest + 1e-6);
}

}  // namespace

Bounds MeshBounds(const MeshData &mesh, const std::string *set) {
    // Each counted point once, in the order the polygons first reach it, so that of two points
    // equally far along a direction the same one is taken as when every corner was visited.
    std::vector<char> seen(mesh.points.size(), 0);
    std::vector<Vec3> points;
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (polygon.points.size() < 3 || (set && polygon.part != *set)) continue;
        for (int index : polygon.points)
            if (!std::exchange(seen[index], 1)) points.push_back(FromPoint(mesh.points[index]));
    }
    if (points.empty()) return {};
    constexpr double infinity = std::numeric_limits<double>::infinity();
    Bounds bounds{{infinity, infinity, infinity}, {-infinity, -infinity, -infinity}};
    for (Vec3 p : points) {
        bounds.low = {std::min(bounds.low.x, p.x), std::min(bounds.low.y, p.y),
                      std::min(bounds.low.z, p.z)};
        bounds.high = {std::max(bounds.high.x, p.x), std::max(bounds.high.y, p.y),
                       std::max(bounds.high.z, p.z)};
    }
    if (bounds.low.x > bounds.high.x) return {};
    Vec3 centre = 0.5 * (bounds.low + bounds.high);
    std::vector<Vec3> directions = ExtremeDirections();
    std::vector<double> farthest(directions.size(), -infinity);
    bounds.extremes.assign(directions.size(), centre);
    for (Vec3 p : points) {
        bounds.radius = std::max(bounds.radius, Length(p - centre));
        for (std::size_t d = 0; d < directions.size(); ++d) {
            double along = Dot(p - centre, directions[d]);
            if (along <= farthest[d]) continue;
            farthest[d] = along;
            bounds.extremes[d] = p;
        }
    }
    return bounds;
}

Camera FrameCamera(const Bounds &bounds, const View &view, int width, int height) {
    Camera camera;
    camera.width = width;
    camera.height = height;
    double framingHalf = std::tan(Radians(View::DefaultFieldOfViewDegrees) / 2);
    double narrowHalf = std::tan(Radians(std::clamp(view.fieldOfViewDegrees, 1.0, 170.0)) / 2) /
                        std::max(view.zoom, 1e-3);
    double aspect = static_cast<double>(width) / height;
    camera.halfWidth = aspect >= 1 ? narrowHalf * aspect : narrowHalf;
    camera.halfHeight = aspect >= 1 ? narrowHalf : narrowHalf / aspect;

    Vec3 centre = 0.5 * (bounds.low + bounds.high);
    double radius = bounds.radius > 0 ? bounds.radius : 0.5 * Length(bounds.high - bounds.low);
    radius = std::max(radius, 1e-6);
    Vec3 target = view.target.value_or(centre);
    auto aim = [&camera](Vec3 forward) {
        camera.forward = Length(forward) == 0 ? Vec3{0, 0, 1} : Normalize(forward);
        Vec3 worldUp{0, 1, 0};
        if (std::abs(Dot(worldUp, camera.forward)) > 0.999) worldUp = {0, 0, 1};
        camera.right = Normalize(Cross(worldUp, camera.forward));
        camera.up = Cross(camera.forward, camera.right);
    };
    aim(-ViewDirection(view));
    // The sphere around the box fits the narrower side of the default field with a little
    // margin; the extremes, when known, come closer, as far as their outline allows.
    double distance = 1.1 * radius / std::sin(std::atan(framingHalf));
    if (!bounds.extremes.empty()) {
        double defaultWidth = aspect >= 1 ? framingHalf * aspect : framingHalf;
        double defaultHeight = aspect >= 1 ? framingHalf : framingHalf / aspect;
        distance = FittingDistance(bounds, target, camera.forward, camera.right, camera.up,
                                   defaultWidth, defaultHeight);
    }
    camera.eye = view.eye.value_or(target + distance * ViewDirection(view));
    aim(target - camera.eye);
    return camera;
}

Ray CameraRay(const Camera &camera, double x, double y) {
    double across = (2 * x / camera.width - 1) * camera.halfWidth;
    double down = (2 * y / camera.height - 1) * camera.halfHeight;
    Vec3 direction = camera.forward + across * camera.right - down * camera.up;
    return {camera.eye, Normalize(direction)};
}

}  // namespace render
