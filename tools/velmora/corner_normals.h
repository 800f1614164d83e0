// The normal the module writes at every polygon corner of an object, sampled as a render would
// sample it: the shaders' render starts, samples run on several threads, the render ends.
#pragma once

#include <vector>

#include "host/render/host_normals.h"
#include "host/render/shader_hook.h"
#include "host/render/vec3.h"
#include "host/scene/scene.h"

using CornerNormal = render::Vec3;

// For each corner, a sample whose vertex slot 0 holds the corner's point with weight 1 (the
// other slots null, weight 0), whose gNorm is the polygon's normal taken from its first, second
// and last corners, and whose wNorm and wNorm0 are the host's normal there with `smoothing`.
// Surfaces without a hook keep the host's normal. Normals come in polygon order, then corner
// order.
std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item,
                                              const render::ShaderHooks &hooks,
                                              const render::SmoothingAngles &smoothing,
                                              unsigned threads);
