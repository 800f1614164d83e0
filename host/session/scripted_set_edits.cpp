#include "host/session/scripted_set_edits.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"
#include "host/scene/name_lookup.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "host/scene/set_name_pattern.h"

namespace {

// Requests on one set in order, as one: each field as the last request naming it left it, and
// smoothing on or off as the last request asked.
void Merge(SetRequest &merged, const SetRequest &later) {
    if (later.angleDegrees) merged.angleDegrees = later.angleDegrees;
    if (later.sameSetOnly) merged.sameSetOnly = later.sameSetOnly;
    merged.enabled = later.enabled;
}

// The steps of a set's request; picking the set first makes the dialog show it. The dialog
// greys the angle and "same set" while smoothing is off, so smoothing goes on first.
void AddSteps(ScriptedUser &user, const std::string &set, const SetRequest &request) {
    user.pick(dialog_label::SetPopup, set).setBox(dialog_label::Enable, true);
    if (request.angleDegrees) user.typeAngle(dialog_label::Angle, *request.angleDegrees);
    if (request.sameSetOnly) user.setBox(dialog_label::SameSetOnly, *request.sameSetOnly);
    if (!request.enabled) user.setBox(dialog_label::Enable, false);
}

// The sets of `sorted` that `pattern` addresses: one lookup for a plain name, as an object may
// have thousands of sets and a request for each.
// Visits the index in `sorted` of each set `pattern` addresses.
template <typename Visit>
void ForEachAddressed(const SetNamePattern &pattern, const std::vector<std::string> &sorted,
                      Visit visit) {
    if (pattern.literal()) {
        auto found = std::lower_bound(sorted.begin(), sorted.end(), *pattern.literal());
        if (found != sorted.end() && *found == *pattern.literal()) visit(found - sorted.begin());
        return;
    }
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (pattern.matches(sorted[i])) visit(i);
}

// The names of the sets on the surfaces the filter admits, each once, sorted.
std::vector<std::string> AdmittedSets(const ObjectFile &file, const SurfaceFilter &filter) {
    std::set<std::string> names;
    for (const std::string &surface : file.surfaces)
        if (filter.admits(surface))
            for (std::string &name : CollectPolygonSets(file.mesh, surface).names)
                names.insert(std::move(name));
    return {names.begin(), names.end()};
}

// What a pattern looked for, as the message of a set not found says it.
std::string Asked(const SetNamePattern &pattern) {
    return pattern.literal() ? "named " + QuotedName(*pattern.literal())
                             : "matches " + QuotedName(pattern.text());
}

}  // namespace

SetRequestOutcome ApplySetRequests(HostSession &session, const ObjectFile &file,
                                   const std::vector<SetRequest> &requests,
                                   const SurfaceFilter &filter, const WarningSink &warn) {
    std::vector<SetNamePattern> patterns;
    for (const SetRequest &request : requests) patterns.emplace_back(request.name);
    // One dialog session per surface for all its requests: the dialog scans the surface's sets
    // each time it opens. Each set gets its requests merged, so that the steps grow with the
    // sets, not with the sets times the requests.
    for (const std::string &surface : file.surfaces) {
        if (!filter.admits(surface)) continue;
        std::vector<std::string> names = CollectPolygonSets(file.mesh, surface).names;
        std::sort(names.begin(), names.end());
        // Sets are worked in the order requests first reach them, which orders the module's
        // list of them as separate requests would.
        std::vector<std::optional<SetRequest>> merged(names.size());
        std::vector<std::size_t> firstReached;
        for (std::size_t r = 0; r < requests.size(); ++r)
            ForEachAddressed(patterns[r], names, [&](std::size_t set) {
                if (!merged[set]) {
                    merged[set].emplace();
                    firstReached.push_back(set);
                }
                Merge(*merged[set], requests[r]);
            });
        if (firstReached.empty()) continue;
        if (auto warning = LongSetListWarning(file.filename, surface, firstReached.size());
            warning && warn)
            warn(*warning);
        ScriptedUser user;
        for (std::size_t set : firstReached) AddSteps(user, names[set], *merged[set]);
        try {
            session.editOptions(session.attach(file, surface), user.close());
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface " + QuotedName(surface) +
                                     ": options dialog: " + error.what());
        }
    }
    SetRequestOutcome outcome;
    std::vector<std::string> admitted = AdmittedSets(file, filter);
    for (std::size_t r = 0; r < requests.size(); ++r) {
        std::size_t reached = 0;
        ForEachAddressed(patterns[r], admitted, [&](std::size_t) { ++reached; });
        outcome.setsMatched.push_back(reached);
        if (reached > 0) continue;
        outcome.unmatched.push_back(
            NoPolygonSet(Asked(patterns[r]), admitted, {file.filename, filter.only}));
    }
    return outcome;
}
