#include "host/render/camera.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace render {

namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

Vec3 ViewDirection(const View &view) {
    double azimuth = Radians(view.azimuthDegrees), elevation = Radians(view.elevationDegrees);
    return {std::sin(azimuth) * std::cos(elevation), std::sin(elevation),
            -std::cos(azimuth) * std::cos(elevation)};
}

}  // namespace

Bounds MeshBounds(const MeshData &mesh, const std::string *set) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    Bounds bounds{{infinity, infinity, infinity}, {-infinity, -infinity, -infinity}};
    auto counts = [set](const MeshPolygon &polygon) {
        return polygon.points.size() >= 3 && (!set || polygon.part == *set);
    };
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (!counts(polygon)) continue;
        for (int index : polygon.points) {
            Vec3 p = FromPoint(mesh.points[index]);
            bounds.low = {std::min(bounds.low.x, p.x), std::min(bounds.low.y, p.y),
                          std::min(bounds.low.z, p.z)};
            bounds.high = {std::max(bounds.high.x, p.x), std::max(bounds.high.y, p.y),
                           std::max(bounds.high.z, p.z)};
        }
    }
    if (bounds.low.x > bounds.high.x) return {};
    Vec3 centre = 0.5 * (bounds.low + bounds.high);
    for (const MeshPolygon &polygon : mesh.polygons)
        if (counts(polygon))
            for (int index : polygon.points)
                bounds.radius =
                    std::max(bounds.radius, Length(FromPoint(mesh.points[index]) - centre));
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
    // The sphere around the box fits the narrower side of the default field with a little
    // margin.
    double distance = 1.1 * radius / std::sin(std::atan(framingHalf));
    camera.eye = view.eye.value_or(target + distance * ViewDirection(view));

    camera.forward = Normalize(target - camera.eye);
    if (Length(camera.forward) == 0) camera.forward = {0, 0, 1};
    Vec3 worldUp{0, 1, 0};
    if (std::abs(Dot(worldUp, camera.forward)) > 0.999) worldUp = {0, 0, 1};
    camera.right = Normalize(Cross(worldUp, camera.forward));
    camera.up = Cross(camera.forward, camera.right);
    return camera;
}

Ray CameraRay(const Camera &camera, double x, double y) {
    double across = (2 * x / camera.width - 1) * camera.halfWidth;
    double down = (2 * y / camera.height - 1) * camera.halfHeight;
    Vec3 direction = camera.forward + across * camera.right - down * camera.up;
    return {camera.eye, Normalize(direction)};
}

}  // namespace render
