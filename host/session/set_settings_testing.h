// For session tests: what the module's options dialog shows for a polygon set, in one line
// ("off", or the angle in degrees followed by " same" when smoothing stays within the set).
#pragma once

#include <string>

#include "host/panels/scripted_user.h"
#include "host/session/host_session.h"

inline std::string ShownSettings(HostSession &session, LWInstance instance,
                                 const std::string &set) {
    std::string shown;
    ScriptedUser look;
    look.pick("Polygon set : ", set).then([&shown](PanelSession &panel) {
        if (panel.shown("enable smoothing") != "on") {
            shown = "off";
            return;
        }
        shown = std::to_string(panel.angleDegrees("Smoothing angle [deg.] : "));
        if (panel.shown("smooth only same polygon set") == "on") shown += " same";
    });
    session.editOptions(instance, look.close());
    return shown;
}
