#include "tools/velmora/parts_report.h"

#include <cstdio>
#include <map>

#include "host/panels/scripted_user.h"
#include "tools/velmora/settings.h"

namespace {

std::string Plural(int count, const char *noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// What the dialog shows for each set; looking is all this user does.
std::map<std::string, std::string> ShownSettings(HostSession &session, LWInstance instance,
                                                 const std::vector<SetCount> &sets) {
    std::map<std::string, std::string> shown;
    ScriptedUser user;
    for (const SetCount &set : sets) {
        user.pick("Polygon set : ", set.name).then([&shown, name = set.name](PanelSession &panel) {
            if (panel.shown("enable smoothing") != "on") {
                shown[name] = "off";
                return;
            }
            char angle[32];
            std::snprintf(angle, sizeof angle, "%g",
                          panel.angleDegrees("Smoothing angle [deg.] : "));
            bool sameSet = panel.shown("smooth only same polygon set") == "on";
            shown[name] = std::string("smoothed at ") + angle + " degrees" +
                          (sameSet ? ", within the set only" : "");
        });
    }
    user.pick("Polygon set : ", "(none)").close();
    session.editOptions(instance, user);
    return shown;
}

}  // namespace

std::string PartsReport(HostSession &session, const ObjectFile &file) {
    std::string report = file.filename + ": " +
                         Plural(static_cast<int>(file.mesh.polygons.size()), "polygon") + "\n";
    for (const std::string &surface : file.surfaces) {
        std::vector<SetCount> sets = SetsOfSurface(file, surface);
        LWInstance instance = session.instanceOf(file, surface);
        report +=
            "  surface \"" + surface + "\": " +
            (instance ? "shader " + std::string(ShaderServer) : "no shader (host smoothing)") +
            "\n";
        std::map<std::string, std::string> shown;
        if (instance && !sets.empty()) shown = ShownSettings(session, instance, sets);
        for (const SetCount &set : sets) {
            report += "    \"" + set.name + "\": " + Plural(set.polygons, "polygon");
            if (instance) report += ", " + shown[set.name];
            report += "\n";
        }
        if (sets.empty()) report += "    no polygon sets\n";
    }
    return report;
}
