#include "host/render/lighting.h"

#include <algorithm>
#include <cmath>

namespace render {

Lighting CameraLighting(const Camera &camera) {
    Lighting lighting;
    lighting.towardsKey = Normalize(-0.55 * camera.right + 0.65 * camera.up - 0.6 * camera.forward);
    lighting.towardsFill = Normalize(0.8 * camera.right - 0.1 * camera.up - 0.5 * camera.forward);
    lighting.key = {0.85, 0.82, 0.76};
    lighting.fill = {0.22, 0.25, 0.3};
    lighting.ambient = {0.07, 0.07, 0.08};
    lighting.surface = {0.78, 0.78, 0.78};
    lighting.gloss = 0.25;
    lighting.shininess = 40;
    lighting.background = {0.11, 0.11, 0.12};
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
    return diffuse * lighting.surface + highlight * lighting.key;
}

}  // namespace render
