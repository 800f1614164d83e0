// What the module's options dialog shows for polygon sets, read as a user reads it: the dialog
// opened once on a surface's instance and each set picked in turn. Nothing is changed.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/session/host_session.h"

struct DialogSettings {
    bool enabled = false;  // off: the set keeps the host's smoothing
    double angleDegrees = 0;
    bool sameSetOnly = false;
    bool operator==(const DialogSettings &) const = default;
};

// Throws std::runtime_error when the dialog cannot be opened or a set is not in its list.
std::map<std::string, DialogSettings> ReadDialogSettings(HostSession &session, LWInstance instance,
                                                         const std::vector<std::string> &sets);
