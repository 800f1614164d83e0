// The camera: a pinhole that frames an object from a chosen direction, or looks from an eye
// at a target. Axes as in the host: x right, y up, z away from the default viewer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/scene/vec3.h"

namespace render {

struct View {
    // Direction of the eye seen from the object's centre: azimuth turns from -z towards +x,
    // elevation lifts towards +y. The default is a three-quarter view of the object's front from
    // above left: the host's default camera looks from -z, and objects are made to face it (the
    // lettering of real objects reads from that side).
    double azimuthDegrees = -35;
    double elevationDegrees = 25;
    std::optional<geometry::Vec3> eye, target;  // each overrides what framing would choose
    // Across the narrower side of the picture. The eye stays where the default field frames the
    // object, so a narrower field comes closer, as a longer lens does.
    double fieldOfViewDegrees = DefaultFieldOfViewDegrees;
    double zoom = 1;  // narrows the field by this factor
    static constexpr double DefaultFieldOfViewDegrees = 35;
};

struct Bounds {
    geometry::Vec3 low, high;
    double radius = 0;  // of the points around the box's centre; 0 = take half the diagonal
    // The points farthest out in 26 directions (along the axes and between them), whose outline
    // seen from any side is close to the object's. Empty: the sphere of `radius` is framed.
    std::vector<geometry::Vec3> extremes = {};
};

struct Camera {
    geometry::Vec3 eye, forward, right, up;
    double halfWidth, halfHeight;  // of the picture plane at distance 1
    int width, height;
};

struct Ray {
    geometry::Vec3 origin, direction;  // direction of unit length
};

// The box around the points that polygons of at least three corners use; with `set`, only the
// polygons of that polygon set. Empty bounds (radius 0, low above high) when there are none.
Bounds MeshBounds(const MeshData &mesh, const std::string *set = nullptr);

// The eye looks at the box's centre from the view's direction, as far away as lets the extremes
// (or, without them, the sphere) fill most of the picture's narrower side with the default field.
Camera FrameCamera(const Bounds &bounds, const View &view, int width, int height);

// The ray through picture position (x, y) in pixels, (0, 0) the top left corner of the
// top left pixel.
Ray CameraRay(const Camera &camera, double x, double y);

}  // namespace render
