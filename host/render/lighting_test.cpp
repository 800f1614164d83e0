#include "host/render/lighting.h"

#include <gtest/gtest.h>

#include <cmath>

namespace render {

using geometry::Normalize;
using geometry::Vec3;

namespace {

Camera FrontCamera() {
    View view;
    view.azimuthDegrees = 0;
    view.elevationDegrees = 0;
    return FrameCamera({{-1, -1, -1}, {1, 1, 1}}, view, 64, 64);
}

// The brightness of a surface facing the camera, tilted up by `degrees`.
double Tilted(const Lighting &lighting, const Camera &camera, double degrees) {
    double radians = degrees * 3.14159265358979 / 180;
    Vec3 normal = Normalize(std::cos(radians) * -camera.forward + std::sin(radians) * camera.up);
    Rgb colour = Shade(lighting, normal, -camera.forward);
    return colour.g;
}

TEST(Lighting, StripesTurnDarkAndLightAsTheNormalTilts) {
    Camera camera = FrontCamera();
    Lighting stripes = CameraLighting(camera, Material::stripes);
    int changes = 0;
    bool lit = Tilted(stripes, camera, -40) > 0.5;
    for (double degrees = -40; degrees <= 40; degrees += 0.5) {
        bool now = Tilted(stripes, camera, degrees) > 0.5;
        changes += now != lit;
        lit = now;
    }
    // The reflection turns twice as fast as the normal: a ring of light every 12 degrees of tilt.
    EXPECT_GE(changes, 12);
    // A matte surface changes smoothly.
    Lighting matte = CameraLighting(camera);
    for (double degrees = -40; degrees < 40; degrees += 0.5)
        EXPECT_LT(std::abs(Tilted(matte, camera, degrees + 0.5) - Tilted(matte, camera, degrees)),
                  0.02);
}

TEST(Lighting, GlossyMirrorsABrightSkyOverADarkFloor) {
    Camera camera = FrontCamera();
    Lighting glossy = CameraLighting(camera, Material::glossy);
    EXPECT_GT(Tilted(glossy, camera, 30) - Tilted(glossy, camera, -30), 0.2);
    EXPECT_EQ(CameraLighting(camera).material, Material::matte);
}

}  // namespace
}  // namespace render
