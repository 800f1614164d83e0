#include "tools/velmora/parts_report.h"

#include <cstdio>
#include <map>

#include "host/panels/scripted_user.h"
#include "host/scene/polygon_sets.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/plural.h"
#include "tools/velmora/set_settings_words.h"

namespace {

// What the dialog shows for each set; looking is all this user does.
std::map<std::string, std::string> ShownSettings(HostSession &session, LWInstance instance,
                                                 const std::vector<std::string> &sets) {
    std::map<std::string, std::string> shown;
    ScriptedUser user;
    for (const std::string &set : sets) {
        user.pick("Polygon set : ", set).then([&shown, name = set](PanelSession &panel) {
            if (panel.shown("enable smoothing") != "on") {
                shown[name] = KeepsHostSmoothing;
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

std::string HostSmoothingText(const render::SmoothingAngles &smoothing,
                              const std::string &surface) {
    auto own = smoothing.degreesBySurface.find(surface);
    double degrees =
        own == smoothing.degreesBySurface.end() ? smoothing.defaultDegrees : own->second;
    if (!(degrees > 0)) return "host shading flat";
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g", degrees);
    return std::string("host smoothing at ") + angle + " degrees";
}

}  // namespace

std::string PartsReport(HostSession &session, const ObjectFile &file,
                        const render::SmoothingAngles &hostSmoothing) {
    std::string report = file.filename + ": " + Plural(file.mesh.polygons.size(), "polygon") + "\n";
    for (const std::string &surface : file.surfaces) {
        PolygonSets sets = CollectPolygonSets(file.mesh, surface);
        LWInstance instance = session.instanceOf(file, surface);
        report += "  surface \"" + surface +
                  "\": " + (instance ? "shader " + std::string(ShaderServer) : "no shader") + ", " +
                  HostSmoothingText(hostSmoothing, surface) + "\n";
        std::map<std::string, std::string> shown;
        if (instance && !sets.names.empty()) shown = ShownSettings(session, instance, sets.names);
        for (std::size_t set = 0; set < sets.names.size(); ++set) {
            const std::string &name = sets.names[set];
            report +=
                "    \"" + name + "\": " + Plural(std::size_t(sets.polygonCounts[set]), "polygon");
            if (instance) report += ", " + shown[name];
            report += "\n";
        }
        if (sets.names.empty()) report += "    no polygon sets\n";
    }
    return report;
}
