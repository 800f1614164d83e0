// `velmora dialog`: the module's options dialog for one surface, opened through the stand-in
// host's panel services and drawn as the host shows it, so that a reader sees the dialog
// without the host.
#pragma once

#include <CLI/CLI.hpp>
#include <map>
#include <optional>
#include <string>

#include "host/render/image.h"
#include "host/session/host_session.h"

struct DialogOptions {
    std::string output = "dialog.png";
    std::optional<std::string> shownSet;  // picked in the popup; default: the first set
};

void AddDialogOptions(CLI::App &command, DialogOptions &options);

// The dialog as its viewer saw it: the picture, and what each labelled control showed in it.
struct DialogView {
    render::Image picture;
    std::map<std::string, std::string> shown;  // by label: a popup's item, "on"/"off", degrees
};

// Opens the dialog on `surface` (empty: the file's first surface), picks the set to show as a
// user would and draws the panel as it then stands. Throws std::runtime_error naming the file
// and surface when the dialog cannot be opened or the set is not in it.
DialogView ViewDialog(HostSession &session, const ObjectFile &file, const std::string &surface,
                      const std::optional<std::string> &shownSet);

// Draws the dialog to the PNG file of the options and says so on standard error.
void RunDialog(HostSession &session, const ObjectFile &file, const std::string &surface,
               const DialogOptions &options);
