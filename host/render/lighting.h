// The host's light set-up for previews: a key light and a fill light placed around the camera,
// ambient light, and a neutral background, on one of three materials. Glossy and striped
// surfaces mirror their surroundings, where a break in the normals shows as a kink in the
// reflection, as designers inspect car bodies and products under strip lights.
#pragma once

#include "host/render/camera.h"
#include "host/render/image.h"

namespace render {

enum class Material {
    matte,    // diffuse with a soft highlight
    glossy,   // dark lacquer reflecting a bright sky over a dark floor
    stripes,  // chrome under rings of strip lights around the object
};

struct Lighting {
    Material material = Material::matte;
    geometry::Vec3 towardsKey, towardsFill;  // unit directions from the surface towards each light
    Rgb key, fill, ambient;
    Rgb surface;
    double gloss, shininess;  // of the key light's highlight
    Rgb background;
};

// Lights keep their place relative to the camera, so every view is lit alike; the surroundings
// that glossy and striped surfaces mirror stay upright in the world.
Lighting CameraLighting(const Camera &camera, Material material = Material::matte);

// The colour of a surface point with shading normal `normal` seen along `towardsEye`.
Rgb Shade(const Lighting &lighting, geometry::Vec3 normal, geometry::Vec3 towardsEye);

}  // namespace render
