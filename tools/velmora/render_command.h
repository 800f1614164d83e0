// `velmora render`: a preview picture of the object with the module shading it, alone or beside
// the host's own shading and a map of the polygon sets.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "host/render/camera.h"
#include "host/render/lighting.h"
#include "host/session/host_session.h"

struct RenderOptions {
    std::string output = "velmora.png";
    bool compare = false;  // host shading, module shading and the set map side by side
    bool bump = false;     // a ripple on the host's normal, as a bump map makes
    int width = 640, height = 480;
    int samplesPerPixel = 4;
    int threads = 0;  // 0 = one per core
    render::View view;
    std::optional<double> hostAngleDegrees;  // in place of each surface's own smoothing
    render::Material material = render::Material::matte;
    std::optional<std::string> targetSet;  // frames this polygon set alone
    int turntableFrames = 0;               // 0: one picture; N: N frames around the object
};

// Throws std::invalid_argument when `output` names a picture format other than PNG, the one
// format the tool writes, before any work is done.
void CheckPictureName(const std::string &output);

// The file of frame `frame` of a turntable of `frames`: "knob.png" becomes "knob_007.png".
std::string TurntableFrameFile(const std::string &output, int frame, int frames);

void AddRenderOptions(CLI::App &command, RenderOptions &options);

// Renders `item` through the hooks the session gives its object file and writes the PNG, whole
// or not at all, or each frame of a turntable so. Shows progress on standard error. Throws
// std::runtime_error naming the file when the picture cannot be written.
int RunRender(HostSession &session, const ObjectItem &item, const RenderOptions &options);
