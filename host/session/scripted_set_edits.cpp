#include "host/session/scripted_set_edits.h"

#include <stdexcept>

#include "host/panels/scripted_user.h"
#include "host/scene/polygon_sets.h"

namespace {

std::string KnownSets(const ObjectFile &file) {
    std::string known;
    for (const std::string &surface : file.surfaces) {
        std::string names;
        for (const std::string &set : CollectPolygonSets(file.mesh, surface).names)
            names += (names.empty() ? "" : ", ") + ("\"" + set + "\"");
        if (names.empty()) continue;
        known += (known.empty() ? "" : "; ") + surface + ": " + names;
    }
    return known.empty() ? "the object has no polygon sets" : "sets: " + known;
}

ScriptedUser ScriptFor(const SetRequest &request) {
    ScriptedUser user;
    user.pick("Polygon set : ", request.name)
        .setBox("enable smoothing", true)
        .typeAngle("Smoothing angle [deg.] : ", request.angleDegrees)
        .setBox("smooth only same polygon set", request.sameSetOnly);
    if (!request.enabled) user.setBox("enable smoothing", false);
    return user.close();
}

}  // namespace

std::vector<std::string> ApplySetRequests(HostSession &session, const ObjectFile &file,
                                          const std::vector<SetRequest> &requests,
                                          const SurfaceFilter &filter) {
    std::vector<std::string> warnings;
    for (const SetRequest &request : requests) {
        bool applied = false;
        for (const std::string &surface : file.surfaces) {
            if (!filter.admits(surface) ||
                !CollectPolygonSets(file.mesh, surface).holds(request.name))
                continue;
            ScriptedUser user = ScriptFor(request);
            try {
                session.editOptions(session.attach(file, surface), user);
            } catch (const std::runtime_error &error) {
                throw std::runtime_error(file.filename + ": surface \"" + surface +
                                         "\": options dialog: " + error.what());
            }
            applied = true;
        }
        if (!applied)
            warnings.push_back("no polygon set named \"" + request.name + "\"" +
                               (filter.only ? " on surface \"" + *filter.only + "\"" : "") +
                               " in " + file.filename + "; " + KnownSets(file));
    }
    return warnings;
}
