#include "tools/velmora/set_captions.h"

#include <cstdio>
#include <map>

#include "host/panels/scripted_user.h"
#include "tools/velmora/set_settings_words.h"

namespace {

// The surface of the first polygon of each set.
std::map<std::string, std::string> SurfaceOfSet(const ObjectFile &file) {
    std::map<std::string, std::string> surfaceOf;
    for (const MeshPolygon &polygon : file.mesh.polygons)
        if (polygon.part && polygon.surface) surfaceOf.try_emplace(*polygon.part, *polygon.surface);
    return surfaceOf;
}

std::string Describe(PanelSession &panel) {
    if (panel.shown("enable smoothing") != "on") return KeepsHostSmoothing;
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g", panel.angleDegrees("Smoothing angle [deg.] : "));
    bool sameSet = panel.shown("smooth only same polygon set") == "on";
    return std::string("smoothed ") + angle + "\xC2\xB0" + (sameSet ? " within the set" : "");
}

}  // namespace

std::vector<std::string> SetCaptions(HostSession &session, const ObjectFile &file,
                                     const std::vector<std::string> &sets) {
    std::map<std::string, std::string> surfaceOf = SurfaceOfSet(file);
    std::map<std::string, std::string> described;
    // One look at the dialog per surface: pick each of its sets and read what it shows.
    std::map<LWInstance, ScriptedUser> looks;
    for (const std::string &set : sets) {
        auto surface = surfaceOf.find(set);
        LWInstance instance =
            surface == surfaceOf.end() ? nullptr : session.instanceOf(file, surface->second);
        if (!instance) {
            described[set] = KeepsHostSmoothing;
            continue;
        }
        looks[instance].pick("Polygon set : ", set).then([&described, set](PanelSession &panel) {
            described[set] = Describe(panel);
        });
    }
    for (auto &[instance, user] : looks) {
        user.pick("Polygon set : ", "(none)").close();
        session.editOptions(instance, user);
    }
    std::vector<std::string> captions;
    for (const std::string &set : sets) captions.push_back(set + ": " + described[set]);
    return captions;
}
