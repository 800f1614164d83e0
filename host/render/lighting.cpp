#include "host/render/lighting.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace render {

using geometry::Dot;
using geometry::Normalize;
using geometry::Vec3;

namespace {

double SmoothStep(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Bright sky above the horizon, a dark floor below, a soft band between.
double SkyAndFloor(Vec3 direction) {
    return 0.04 + 0.9 * SmoothStep(-0.05, 0.35, direction.y);
}

// Rings of light every 24 degrees of elevation, with soft edges so that they do not alias.
double StripLights(Vec3 direction) {
    constexpr double PeriodDegrees = 24;
    double elevation = std::asin(std::clamp(direction.y, -1.0, 1.0)) * 180 / std::numbers::pi;
    double phase = elevation / PeriodDegrees - std::floor(elevation / PeriodDegrees);
    double lit = SmoothStep(0.2, 0.3, phase) * (1 - SmoothStep(0.7, 0.8, phase));
    return 0.03 + 0.95 * lit;
}

}  // namespace

Lighting CameraLighting(const Camera &camera, Material material) {
    Lighting lighting;
    lighting.material = material;
    lighting.towardsKey = Normalize(-0.55 * camera.right + 0.65 * camera.up - 0.6 * camera.forward);
    lighting.towardsFill = Normalize(0.8 * camera.right - 0.1 * camera.up - 0.5 * camera.forward);
    lighting.key = {0.85, 0.82, 0.76};
    lighting.fill = {0.22, 0.25, 0.3};
    lighting.ambient = {0.07, 0.07, 0.08};
    lighting.surface = {0.78, 0.78, 0.78};
    lighting.gloss = 0.25;
    lighting.shininess = 40;
    lighting.background = {0.11, 0.11, 0.12};
    if (material == Material::glossy) {
        lighting.surface = {0.08, 0.1, 0.16};
        lighting.gloss = 0.8;
        lighting.shininess = 300;
    } else if (material == Material::stripes) {
        lighting.surface = {0.05, 0.05, 0.05};
        lighting.gloss = 0;
    }
    return lighting;
}

Rgb Shade(const Lighting &lighting, Vec3 normal, Vec3 towardsEye) {
    double key = std::max(0.0, Dot(normal, lighting.towardsKey));
    double fill = std::max(0.0, Dot(normal, lighting.towardsFill));
    Rgb diffuse = lighting.ambient + key * lighting.key + fill * lighting.fill;
    Vec3 halfway = Normalize(lighting.towardsKey + towardsEye);
    double highlight =
        key > 0 ? lighting.gloss * std::pow(std::max(0.0, Dot(normal, halfway)), lighting.shininess)
                : 0;
    Rgb colour = diffuse * lighting.surface + highlight * lighting.key;
    if (lighting.material == Material::matte) return colour;
    Vec3 mirrored = 2 * Dot(normal, towardsEye) * normal - towardsEye;
    double seen = lighting.material == Material::glossy ? 0.35 * SkyAndFloor(mirrored)
                                                        : 0.85 * StripLights(mirrored);
    return colour + Rgb{seen, seen, seen};
}

}  // namespace render
