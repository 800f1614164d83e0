// `velmora render`: a preview picture of the object with the module shading it, alone or beside
// the host's own shading and a map of the polygon sets.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "host/render/camera.h"
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
};

void AddRenderOptions(CLI::App &command, RenderOptions &options);

// Renders `item` through the hooks the session gives its object file and writes the PNG, whole
// or not at all. Shows progress on standard error. Throws std::runtime_error naming the file
// when the picture cannot be written.
int RunRender(HostSession &session, const ObjectItem &item, const RenderOptions &options);
