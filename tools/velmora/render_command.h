// `velmora render`: a preview picture of the object with the module shading it, alone or beside
// the host's own shading and a map of the polygon sets.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>
#include <vector>

#include "host/render/renderer.h"
#include "host/session/host_session.h"

struct RenderOptions {
    std::string output = "velmora.png";
    int turntableFrames = 0;  // 0: one picture; N: N frames around the object
    render::RenderSettings settings;
    // Without --compare, the shaded picture alone.
    RenderOptions() { settings.compare = false; }
};

// Throws std::invalid_argument when `output` names a picture format other than PNG, the one
// format the tool writes, before any work is done.
void CheckPictureName(const std::string &output);

// The file of frame `frame` of a turntable of `frames`: "knob.png" becomes "knob_007.png".
std::string TurntableFrameFile(const std::string &output, int frame, int frames);

// Every file a render writes: its output, or each frame of its turntable.
std::vector<std::string> RenderOutputFiles(const RenderOptions &options);

void AddRenderOptions(CLI::App &command, RenderOptions &options);

// Renders `item` through the hooks the session gives its object file and writes the PNG, whole
// or not at all, or each frame of a turntable so. Shows progress on standard error. Throws
// std::runtime_error naming the file when the picture cannot be written.
int RunRender(HostSession &session, const ObjectItem &item, const RenderOptions &options);
