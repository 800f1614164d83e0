#include "host/render/camera.h"

#include <gtest/gtest.h>

namespace render {
namespace {

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
        EXPECT_LT(eye.z, 0);
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
