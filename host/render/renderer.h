// Renders one object item as the host previews it: each sample is shaded once with the host's
// own normals and once after the surface's shader (if any) has evaluated the shading record.
//
// A preview in three calls: Render gives a Frame, ComparisonImage (comparison.h) lays its
// pictures side by side, WritePng (png_file.h) stores the result.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/render/camera.h"
#include "host/render/image.h"
#include "host/render/lighting.h"
#include "host/render/shader_hook.h"
#include "host/scene/host_normals.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/scene.h"

namespace render {

// The settings a render takes; Render refuses others, and a command reading them checks them
// against the same bounds to name the option.
inline constexpr int LargestSide = 16384;
inline constexpr int MostSamplesPerPixel = 1024;
inline constexpr double LargestAzimuth = 360, LargestElevation = 90;  // degrees, either way
inline constexpr double NarrowestFieldOfView = 1, WidestFieldOfView = 170;

struct RenderSettings {
    int width = 640, height = 480;
    int samplesPerPixel = 4;
    int threads = 0;  // 0 = one per core
    int tileSize = 32;
    std::uint32_t seed = 1;
    View view;
    // The host's smoothing angle in degrees for every surface, in place of each surface's own.
    std::optional<double> hostAngleDegrees;
    bool bump = false;  // ripple the host's shading normal, as a bump map does
    Material material = Material::matte;
    // Also renders the host's own picture and the angle between the two normals at every pixel,
    // for a comparison; without it a frame holds the shaded picture alone, and a shaded sample
    // costs what it costs in the host.
    bool compare = true;
    // Measures the seconds of each stage into Frame::times, which stay zero otherwise: reading
    // the clock around every shader call costs about as much as a light shader.
    bool timeStages = false;
    // Frames this polygon set alone, in place of the whole object.
    std::optional<std::string> targetSet;
    // Called from render threads, one call at a time, after each tile; may be empty.
    std::function<void(int tilesDone, int tilesTotal)> progress;
};

// Seconds summed over all render threads.
struct StageTimes {
    double rayCasting = 0;
    double hostShading = 0;  // filling the shading record and lighting
    double shader = 0;       // inside the shaders' `evaluate`
};

struct Frame {
    Image host;                  // with the host's shading normals; empty unless compared
    Image shaded;                // with the normals the shaders left in the record
    std::vector<int> polygonAt;  // per pixel, the polygon under its centre, or -1
    // Per pixel, the angle in degrees between the host's normal and the one the shaders left,
    // averaged over the samples that hit the object; -1 where none did. Empty unless compared.
    std::vector<float> normalAngle;
    PolygonSets sets;
    StageTimes times;
};

// The first point of the object the ray tracer cannot take, not finite or too far out, named in
// a message; none when every point will do.
std::optional<std::string> UnrenderablePoint(const ObjectFile &file);

// Throws std::runtime_error naming the object for unusable input (no mesh, a corner index
// outside the points, a point that is not finite or too far out for single precision, naming the
// first such point), for an unusable view or picture size, for a target set no polygon has, and
// for a shader's init or newTime error.
Frame Render(const ObjectItem &item, const RenderSettings &settings, const ShaderHooks &hooks);

}  // namespace render
