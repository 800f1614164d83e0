// For session tests: what the module's options dialog shows for a polygon set, in one line
// ("off", or the angle in degrees followed by " same" when smoothing stays within the set).
#pragma once

#include <string>

#include "host/session/dialog_settings.h"

inline std::string ShownSettings(HostSession &session, LWInstance instance,
                                 const std::string &set) {
    DialogSettings shown = ReadDialogSettings(session, instance, {set}).at(set);
    if (!shown.enabled) return "off";
    return std::to_string(shown.angleDegrees) + (shown.sameSetOnly ? " same" : "");
}
