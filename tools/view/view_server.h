// The view's web server: the page's files from memory and a JSON API over one object, on the
// loopback address only, for the one user who was shown the printed address.
#pragma once

#include <functional>
#include <string>

#include "tools/view/view_object.h"

struct ViewServerOptions {
    int port = 0;  // 0: any free port
    // Writes the settings file (Save settings), answering the file written. Throws
    // std::runtime_error saying why it could not.
    std::function<std::string()> saveSettings;
    // Stores the settings in the object (Apply), answering the file written; empty when the
    // command was given nowhere to apply to.
    std::function<std::string()> apply;
    // The files they write, for the page to show.
    std::string saveSettingsTo, applyTo;
};

// Binds 127.0.0.1:PORT, calls `ready` with the page's address (its token in the query), and
// serves until SIGINT or SIGTERM. Throws std::runtime_error naming the port when it is taken.
void ServeView(ViewObject &object, const ViewServerOptions &options,
               const std::function<void(const std::string &address)> &ready);
