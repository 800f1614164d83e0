#include "host/session/scripted_set_edits.h"

#include <algorithm>
#include <stdexcept>

#include "host/panels/scripted_user.h"
#include "host/scene/polygon_sets.h"

namespace {

// At most this many names, so that a warning about an object of thousands of sets stays short.
constexpr std::size_t MostNamesListed = 20;

std::string KnownSets(const ObjectFile &file) {
    std::string known;
    std::size_t listed = 0, unlisted = 0;
    for (const std::string &surface : file.surfaces) {
        std::string names;
        for (const std::string &set : CollectPolygonSets(file.mesh, surface).names) {
            if (listed == MostNamesListed) {
                ++unlisted;
                continue;
            }
            names += (names.empty() ? "" : ", ") + ("\"" + set + "\"");
            ++listed;
        }
        if (names.empty()) continue;
        known += (known.empty() ? "" : "; ") + surface + ": " + names;
    }
    if (unlisted > 0) known += " and " + std::to_string(unlisted) + " more";
    return known.empty() ? "the object has no polygon sets" : "sets: " + known;
}

// The steps of one request; picking the set first makes the dialog show it.
void AddSteps(ScriptedUser &user, const SetRequest &request) {
    user.pick("Polygon set : ", request.name)
        .setBox("enable smoothing", true)
        .typeAngle("Smoothing angle [deg.] : ", request.angleDegrees)
        .setBox("smooth only same polygon set", request.sameSetOnly);
    if (!request.enabled) user.setBox("enable smoothing", false);
}

}  // namespace

std::vector<std::string> ApplySetRequests(HostSession &session, const ObjectFile &file,
                                          const std::vector<SetRequest> &requests,
                                          const SurfaceFilter &filter) {
    std::vector<bool> applied(requests.size(), false);
    // One dialog session per surface for all its requests: the dialog scans the surface's sets
    // each time it opens.
    for (const std::string &surface : file.surfaces) {
        if (!filter.admits(surface)) continue;
        std::vector<std::string> names = CollectPolygonSets(file.mesh, surface).names;
        std::sort(names.begin(), names.end());
        ScriptedUser user;
        bool any = false;
        for (std::size_t r = 0; r < requests.size(); ++r) {
            if (!std::binary_search(names.begin(), names.end(), requests[r].name)) continue;
            AddSteps(user, requests[r]);
            applied[r] = any = true;
        }
        if (!any) continue;
        try {
            session.editOptions(session.attach(file, surface), user.close());
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface \"" + surface +
                                     "\": options dialog: " + error.what());
        }
    }
    std::vector<std::string> warnings;
    std::string known;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        if (applied[r]) continue;
        if (known.empty()) known = KnownSets(file);
        warnings.push_back("no polygon set named \"" + requests[r].name + "\"" +
                           (filter.only ? " on surface \"" + *filter.only + "\"" : "") + " in " +
                           file.filename + "; " + known);
    }
    return warnings;
}
