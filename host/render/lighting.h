// The host's light set-up for previews: a key light and a fill light placed around the camera,
// ambient light, and a neutral background. A matte surface with a little gloss.
#pragma once

#include "host/render/camera.h"
#include "host/render/image.h"

namespace render {

struct Lighting {
    Vec3 towardsKey, towardsFill;  // unit directions from the surface towards each light
    Rgb key, fill, ambient;
    Rgb surface;
    double gloss, shininess;  // of the key light's highlight
    Rgb background;
};

// Lights keep their place relative to the camera, so every view is lit alike.
Lighting CameraLighting(const Camera &camera);

// The colour of a surface point with shading normal `normal` seen along `towardsEye`.
Rgb Shade(const Lighting &lighting, Vec3 normal, Vec3 towardsEye);

}  // namespace render
