#include "host/session/scripted_set_edits.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/set_name_pattern.h"

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

// The steps of one request on one set; picking the set first makes the dialog show it. The
// dialog greys the angle and "same set" while smoothing is off, so smoothing goes on first.
void AddSteps(ScriptedUser &user, const std::string &set, const SetRequest &request) {
    user.pick(dialog_label::SetPopup, set).setBox(dialog_label::Enable, true);
    if (request.angleDegrees) user.typeAngle(dialog_label::Angle, *request.angleDegrees);
    if (request.sameSetOnly) user.setBox(dialog_label::SameSetOnly, *request.sameSetOnly);
    if (!request.enabled) user.setBox(dialog_label::Enable, false);
}

// The sets of `sorted` that `pattern` addresses: one lookup for a plain name, as an object may
// have thousands of sets and a request for each.
std::vector<std::string> Addressed(const SetNamePattern &pattern,
                                   const std::vector<std::string> &sorted) {
    if (pattern.literal()) {
        bool held = std::binary_search(sorted.begin(), sorted.end(), *pattern.literal());
        return held ? std::vector{*pattern.literal()} : std::vector<std::string>{};
    }
    std::vector<std::string> matching;
    for (const std::string &name : sorted)
        if (pattern.matches(name)) matching.push_back(name);
    return matching;
}

std::string Unmatched(const SetNamePattern &pattern) {
    return pattern.literal() ? "no polygon set named \"" + *pattern.literal() + "\""
                             : "no polygon set matches \"" + pattern.text() + "\"";
}

}  // namespace

SetRequestOutcome ApplySetRequests(HostSession &session, const ObjectFile &file,
                                   const std::vector<SetRequest> &requests,
                                   const SurfaceFilter &filter) {
    std::vector<SetNamePattern> patterns;
    for (const SetRequest &request : requests) patterns.emplace_back(request.name);
    std::vector<std::set<std::string>> reached(requests.size());
    // One dialog session per surface for all its requests: the dialog scans the surface's sets
    // each time it opens.
    for (const std::string &surface : file.surfaces) {
        if (!filter.admits(surface)) continue;
        std::vector<std::string> names = CollectPolygonSets(file.mesh, surface).names;
        std::sort(names.begin(), names.end());
        ScriptedUser user;
        bool any = false;
        for (std::size_t r = 0; r < requests.size(); ++r) {
            for (const std::string &set : Addressed(patterns[r], names)) {
                AddSteps(user, set, requests[r]);
                reached[r].insert(set);
                any = true;
            }
        }
        if (!any) continue;
        try {
            session.editOptions(session.attach(file, surface), user.close());
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface \"" + surface +
                                     "\": options dialog: " + error.what());
        }
    }
    SetRequestOutcome outcome;
    std::string known;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        outcome.setsMatched.push_back(reached[r].size());
        if (!reached[r].empty()) continue;
        if (known.empty()) known = KnownSets(file);
        outcome.unmatched.push_back(Unmatched(patterns[r]) +
                                    (filter.only ? " on surface \"" + *filter.only + "\"" : "") +
                                    " in " + file.filename + "; " + known);
    }
    return outcome;
}
