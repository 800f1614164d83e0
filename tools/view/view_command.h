// `velmora view OBJECT [settings options] [--port N] [--open]`: the object in a web
// browser, shaded by the module, its polygon sets tuned live through the module's own dialog.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>

#include "host/render/host_normals.h"
#include "host/session/host_session.h"

struct ViewOptions {
    int port = 0;
    bool open = false;
};

void AddViewOptions(CLI::App &command, ViewOptions &options);

// What the page's Save settings and Apply buttons do; each answers the file it wrote.
struct ViewWriters {
    std::function<std::string()> saveSettings, apply;
    std::string saveSettingsTo, applyTo;  // shown on the page
};

// Prints the page's address on standard output and serves until SIGINT or SIGTERM.
void RunView(HostSession &session, const render::SmoothingAngles &hostSmoothing,
             const ViewOptions &options, const ViewWriters &writers);
