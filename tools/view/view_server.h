// The view's web server: the page's files from memory and a JSON API over one object, on the
// loopback address only, for the one user who was shown the printed address.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/view/view_object.h"

// What a write answers: the file it wrote, one short sentence for the status line ("wrote
// carriage.applied.lwo: settings of 14 polygon sets on 3 surfaces") and what else to tell the user
// about it, shown on demand.
struct ViewWrite {
    std::string file;
    std::string summary;
    std::vector<std::string> notes;
};

struct ViewServerOptions {
    int port = 0;  // 0: any free port
    // Writes the settings file (Save settings) or stores the settings in the object (Apply),
    // each to a path the command chose; no request names a file. Each throws std::exception
    // saying why it could not.
    std::function<ViewWrite()> saveSettings, apply;
    // The files they write, for the page to show.
    std::string saveSettingsTo, applyTo;
    // What the page may make the object's polygon sets of ("" for none, as it was opened), what
    // they are made of now, and the call that opens the object again with sets made of one of
    // them; none where the object was opened with sets. The object `ServeView` is given is then
    // another.
    std::vector<std::string> setSources;
    std::function<std::string()> setsMadeOf;
    std::function<void(const std::string &source)> makeSetsFrom;
};

// Binds 127.0.0.1:PORT, calls `ready` with the page's address (its token in the query), and
// serves until SIGINT or SIGTERM. Throws std::runtime_error naming the port when it is taken.
void ServeView(const std::function<ViewObject &()> &object, const ViewServerOptions &options,
               const std::function<void(const std::string &address)> &ready);
