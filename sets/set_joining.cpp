#include "sets/set_joining.h"

#include <algorithm>
#include <cmath>
#include <compare>
#include <map>
#include <numbers>
#include <numeric>
#include <string>
#include <utility>

#include "sets/polygon_chunks.h"
#include "sets/set_footprints.h"

namespace {

// What the module reads of a set, and where the set lies.
struct Settings {
    std::string surface;
    SetKind kind = SetKind::flat;
    bool enabled = true;
    double angleDegrees = 0;
    bool sameSetOnly = true;
    auto operator<=>(const Settings &) const = default;
};

Settings SettingsOf(const ProposedSet &set, const SetFootprint &footprint) {
    // A set whose smoothing is off keeps the host's normals whatever its angle and neighbours.
    if (!set.enabled) return {footprint.surface, set.kind, false, 0, false};
    return {footprint.surface, set.kind, true, set.angleDegrees, set.sameSetOnly};
}

// The module tests dot > cos(angle) on normals it works out itself from the same positions; a
// pair within this much of the cosine is taken as smoothed together, which keeps sets apart
// that might have been joined, never the other way round.
constexpr double CosineMargin = 1e-6;

// Per set, the sets it must stay apart from: those whose polygons share a point with its own
// within the angle of both, alike in settings and smoothed within the set only.
std::vector<std::vector<int>> SetsKeptApart(const ModuleNeighbourhood &neighbourhood,
                                            const SetProposal &proposal,
                                            const std::vector<Settings> &settings) {
    std::vector<std::vector<int>> apart(settings.size());
    // Only sets alike and smoothed within the set only can be kept apart; without two such, the
    // walk over every polygon's neighbours would find nothing.
    std::map<Settings, int> smoothedWithin;
    for (const Settings &each : settings)
        if (each.enabled && each.sameSetOnly) ++smoothedWithin[each];
    if (std::none_of(smoothedWithin.begin(), smoothedWithin.end(),
                     [](const auto &count) { return count.second > 1; }))
        return apart;
    std::vector<double> threshold(settings.size());
    for (std::size_t set = 0; set < settings.size(); ++set)
        threshold[set] =
            std::cos(settings[set].angleDegrees * std::numbers::pi / 180) - CosineMargin;
    // A set alone in its settings has none to be kept apart from.
    std::vector<bool> alikeOthers(settings.size());
    for (std::size_t set = 0; set < settings.size(); ++set)
        alikeOthers[set] =
            settings[set].enabled && settings[set].sameSetOnly && smoothedWithin[settings[set]] > 1;
    auto matters = [&](int set) { return set >= 0 && alikeOthers[set]; };
    const std::vector<geometry::Vec3> &normal = neighbourhood.normal;
    const geometry::PointPolygons &around = neighbourhood.around;
    // The points are shared out over the cores, one share each; what each finds is a list of
    // pairs, and the order of the pairs changes nothing.
    std::vector<std::vector<std::pair<int, int>>> pairs(Cores());
    ForEachShare(around.first.size() - 1,
                 [&](std::size_t share, std::size_t first, std::size_t last) {
                     for (std::size_t point = first; point < last; ++point)
                         for (int i = around.first[point]; i < around.first[point + 1]; ++i) {
                             int p = around.polygons[i], a = proposal.setOf[p];
                             if (!matters(a)) continue;
                             for (int j = i + 1; j < around.first[point + 1]; ++j) {
                                 int q = around.polygons[j], b = proposal.setOf[q];
                                 if (b == a || !matters(b) || settings[a] != settings[b]) continue;
                                 if (Dot(normal[p], normal[q]) > threshold[a])
                                     pairs[share].emplace_back(a, b);
                             }
                         }
                 });
    for (const auto &found : pairs)
        for (auto [a, b] : found) {
            apart[a].push_back(b);
            apart[b].push_back(a);
        }
    return apart;
}

}  // namespace

void JoinSetsChangingNoNormal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                              SetProposal &proposal) {
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::vector<Settings> settings;
    for (std::size_t set = 0; set < proposal.sets.size(); ++set)
        settings.push_back(SettingsOf(proposal.sets[set], footprints[set]));
    const std::vector<std::vector<int>> apart = SetsKeptApart(neighbourhood, proposal, settings);

    std::vector<int> order(proposal.sets.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return footprints[a].firstPolygon < footprints[b].firstPolygon;
    });
    std::vector<int> groupOf(proposal.sets.size(), -1);
    std::map<Settings, std::vector<int>> groupsAlike;
    std::vector<ProposedSet> joined;
    std::vector<double> cornersWithin;  // per group, a count
    for (int set : order) {
        if (footprints[set].polygons == 0) continue;
        std::vector<int> barred;
        for (int other : apart[set])
            if (groupOf[other] >= 0) barred.push_back(groupOf[other]);
        std::vector<int> &alike = groupsAlike[settings[set]];
        auto open = std::find_if(alike.begin(), alike.end(), [&](int group) {
            return std::find(barred.begin(), barred.end(), group) == barred.end();
        });
        const ProposedSet &part = proposal.sets[set];
        const double within = part.cornersWithin * part.cornersMeasured;
        if (open == alike.end()) {
            groupOf[set] = static_cast<int>(joined.size());
            alike.push_back(groupOf[set]);
            joined.push_back(part);
            cornersWithin.push_back(within);
            continue;
        }
        groupOf[set] = *open;
        ProposedSet &group = joined[*open];
        cornersWithin[*open] += within;
        group.cornersMeasured += part.cornersMeasured;
        if (group.cornersMeasured > 0)
            group.cornersWithin = cornersWithin[*open] / group.cornersMeasured;
    }
    RenumberSets(proposal, std::move(joined), groupOf);
}
