#include "host/render/camera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace render {

using geometry::Dot;
using geometry::Length;
using geometry::Vec3;

namespace {

double Radians(double degrees) {
    return degrees * 3.14159265358979 / 180;
}

// Where the camera sees `p`, in pixels.
std::pair<double, double> Project(const Camera &camera, Vec3 p) {
    Vec3 d = p - camera.eye;
    double depth = Dot(d, camera.forward);
    double x = Dot(d, camera.right) / depth / camera.halfWidth;
    double y = Dot(d, camera.up) / depth / camera.halfHeight;
    return {(x + 1) * camera.width / 2, (1 - y) * camera.height / 2};
}

TEST(Camera, FramesTheWholeObjectFromAboveLeftInFront) {
    Bounds box{{-1, 0, -3}, {5, 2, 1}};
    for (auto [width, height] : {std::pair{64, 48}, std::pair{30, 90}}) {
        Camera camera = FrameCamera(box, {}, width, height);
        Vec3 centre{2, 1, -1};
        Vec3 eye = camera.eye - centre;
        EXPECT_LT(eye.x, 0);
        EXPECT_GT(eye.y, 0);
        EXPECT_LT(eye.z, 0);  // objects face the host's camera at -z
        for (int corner = 0; corner < 8; ++corner) {
            Vec3 p{corner & 1 ? 5.0 : -1.0, corner & 2 ? 2.0 : 0.0, corner & 4 ? 1.0 : -3.0};
            auto [x, y] = Project(camera, p);
            EXPECT_GT(x, 0);
            EXPECT_LT(x, width);
            EXPECT_GT(y, 0);
            EXPECT_LT(y, height);
        }
    }
}

// A tall figure facing -z: its front (the -z side) faces the eye, and its outline fills most of
// the picture's height, whatever the picture's shape.
TEST(Camera, FillsMostOfThePictureWithTheObjectsOutline) {
    MeshData figure;
    for (int corner = 0; corner < 8; ++corner)
        figure.points.push_back(
            {corner & 1 ? 0.25f : -0.25f, corner & 2 ? 1.8f : 0.0f, corner & 4 ? 0.15f : -0.15f});
    for (int face = 0; face < 2; ++face) {
        MeshPolygon quad;
        quad.points = {face * 4, face * 4 + 1, face * 4 + 3, face * 4 + 2};
        figure.polygons.push_back(quad);
    }
    Bounds bounds = MeshBounds(figure);
    for (auto [width, height] : {std::pair{64, 48}, std::pair{160, 48}, std::pair{48, 64}}) {
        Camera camera = FrameCamera(bounds, {}, width, height);
        EXPECT_LT(camera.eye.z, -0.15);
        double low = height, high = 0, left = width, right = 0;
        for (auto [x, y, z] : figure.points) {
            auto [px, py] = Project(camera, {x, y, z});
            low = std::min(low, py), high = std::max(high, py);
            left = std::min(left, px), right = std::max(right, px);
        }
        EXPECT_GT(left, 0);
        EXPECT_LT(right, width);
        EXPECT_GT(high - low, 0.8 * height) << width << "x" << height;
        EXPECT_LT(high - low, 0.92 * height) << width << "x" << height;
    }
}

TEST(Camera, FieldOfViewAndZoomNarrowTheViewFromTheSamePlace) {
    Bounds box{{-1, -1, -1}, {1, 1, 1}};
    Camera wide = FrameCamera(box, {}, 64, 48);
    Vec3 corner{1, 1, 1};
    auto fromCentre = [](const Camera &camera, Vec3 p) {
        auto [x, y] = Project(camera, p);
        return std::hypot(x - camera.width / 2.0, y - camera.height / 2.0);
    };
    View narrower;
    narrower.fieldOfViewDegrees =
        2 * std::atan(std::tan(Radians(35) / 2) / 2) * 180 / 3.14159265358979;
    View zoomed;
    zoomed.zoom = 2;
    for (const View &view : {narrower, zoomed}) {
        Camera close = FrameCamera(box, view, 64, 48);
        EXPECT_NEAR(Length(close.eye - wide.eye), 0, 1e-9);
        EXPECT_NEAR(fromCentre(close, corner), 2 * fromCentre(wide, corner), 1e-6);
    }
}

TEST(Camera, BoundsOfOnePolygonSet) {
    MeshData mesh;
    mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}, {6, 5, 5}, {5, 6, 5}};
    mesh.polygons = {{{0, 1, 2}, LWID_('F', 'A', 'C', 'E'), {}, "Near"},
                     {{3, 4, 5}, LWID_('F', 'A', 'C', 'E'), {}, "Far"}};
    std::string far = "Far", none = "None";
    Bounds bounds = MeshBounds(mesh, &far);
    EXPECT_EQ(bounds.low.x, 5);
    EXPECT_EQ(bounds.high.y, 6);
    EXPECT_EQ(MeshBounds(mesh).low.x, 0);
    EXPECT_EQ(MeshBounds(mesh, &none).radius, 0);
}

TEST(Camera, ExplicitEyeAndTargetAndRaysThroughThePicture) {
    View view;
    view.eye = Vec3{0, 0, -10};
    view.target = Vec3{0, 0, 0};
    Camera camera = FrameCamera({{-1, -1, -1}, {1, 1, 1}}, view, 100, 50);
    Ray centre = CameraRay(camera, 50, 25);
    EXPECT_NEAR(centre.direction.z, 1, 1e-12);
    Ray topLeft = CameraRay(camera, 0, 0);
    EXPECT_LT(topLeft.direction.x, 0);  // x runs to the right
    EXPECT_GT(topLeft.direction.y, 0);  // the top row looks up
    EXPECT_NEAR(Length(topLeft.direction), 1, 1e-12);
}

}  // namespace
}  // namespace render
