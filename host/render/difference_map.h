// A picture of where the shaders turned the host's normals: per pixel, the angle between the
// host's normal and the shader's on a colour scale, dark where they agree, through purple and
// orange to pale yellow at DifferenceScaleDegrees and beyond, exactly as the scale's key shows.
#pragma once

#include "host/render/image.h"
#include "host/render/renderer.h"

namespace render {

constexpr double DifferenceScaleDegrees = 30;

Rgb8 DifferenceColour(double degrees);

Image DifferenceMap(const Frame &frame);

}  // namespace render
