#include "sets/shared_angles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "sets/polygon_chunks.h"
#include "sets/set_footprints.h"

namespace {

// The cosines a set accepts as its threshold: a neighbour counts where its dot product with the
// sample polygon's normal is greater. Each bound keeps this far inside, as the module works out
// the normals itself, so that rounding can only leave a set its own angle.
constexpr double CosineMargin = 1e-6;

struct AcceptedCosines {
    double least = -2, most = 2;
    bool accepts(double cosine) const { return least <= cosine && cosine <= most; }
};

double CosineOf(double degrees) {
    return std::cos(degrees * std::numbers::pi / 180);
}

// What the sets `measured` marks accept at points [first, last), into `accepted`.
void MeasureAccepted(const ModuleNeighbourhood &neighbourhood, const SetProposal &proposal,
                     const std::vector<bool> &measured, const std::vector<double> &ownCosine,
                     std::size_t first, std::size_t last, std::vector<AcceptedCosines> &accepted) {
    const std::vector<geometry::Vec3> &normal = neighbourhood.normal;
    const geometry::PointPolygons &around = neighbourhood.around;
    for (std::size_t point = first; point < last; ++point)
        for (int i = around.first[point]; i < around.first[point + 1]; ++i) {
            int p = around.polygons[i], set = proposal.setOf[p];
            if (set < 0 || !measured[set]) continue;
            const ProposedSet &settings = proposal.sets[set];
            const double own = ownCosine[set];
            AcceptedCosines &range = accepted[set];
            for (int j = around.first[point]; j < around.first[point + 1]; ++j) {
                int q = around.polygons[j];
                if (q == p || (settings.sameSetOnly && proposal.setOf[q] != set)) continue;
                double dot = Dot(normal[p], normal[q]);
                if (dot > own)
                    range.most = std::min(range.most, dot - CosineMargin);
                else
                    range.least = std::max(range.least, dot + CosineMargin);
            }
        }
}

// Of the sets `measured` marks, those with another alike to share an angle with; the others keep
// the full range, which no one asks of them. The points are shared out over the cores, one
// share each; as the ranges only narrow, how they are shared out changes nothing.
std::vector<AcceptedCosines> AcceptedByEachSet(const ModuleNeighbourhood &neighbourhood,
                                               const SetProposal &proposal,
                                               const std::vector<bool> &measured) {
    std::vector<double> ownCosine;
    for (const ProposedSet &set : proposal.sets) ownCosine.push_back(CosineOf(set.angleDegrees));
    std::vector<std::vector<AcceptedCosines>> ofShare(
        Cores(), std::vector<AcceptedCosines>(proposal.sets.size()));
    ForEachShare(neighbourhood.around.first.size() - 1, [&](std::size_t share, std::size_t first,
                                                            std::size_t last) {
        MeasureAccepted(neighbourhood, proposal, measured, ownCosine, first, last, ofShare[share]);
    });
    std::vector<AcceptedCosines> accepted = std::move(ofShare.front());
    for (std::size_t share = 1; share < ofShare.size(); ++share)
        for (std::size_t set = 0; set < accepted.size(); ++set) {
            accepted[set].least = std::max(accepted[set].least, ofShare[share][set].least);
            accepted[set].most = std::min(accepted[set].most, ofShare[share][set].most);
        }
    for (std::size_t set = 0; set < accepted.size(); ++set)
        if (measured[set] && !accepted[set].accepts(ownCosine[set]))
            accepted[set] = {ownCosine[set], ownCosine[set]};
    return accepted;
}

// Gives the sets of one group, alike but for their angles, as few angles as can be.
void ShareAngles(std::vector<int> sets, const std::vector<AcceptedCosines> &accepted,
                 const std::vector<SetFootprint> &footprints, SetProposal &proposal) {
    std::vector<double> angles;
    for (int set : sets) angles.push_back(proposal.sets[set].angleDegrees);
    std::sort(angles.begin(), angles.end(), std::greater<>());
    // The greatest angle accepted is the one of the least cosine.
    std::sort(sets.begin(), sets.end(), [&](int a, int b) {
        return std::tuple(-accepted[a].least, footprints[a].firstPolygon) <
               std::tuple(-accepted[b].least, footprints[b].firstPolygon);
    });
    std::vector<bool> given(proposal.sets.size(), false);
    for (int set : sets) {
        if (given[set]) continue;
        // Its own angle is among them, and accepted (AcceptedByEachSet), so one is found.
        double angle = *std::find_if(angles.begin(), angles.end(), [&](double degrees) {
            return accepted[set].accepts(CosineOf(degrees));
        });
        for (int other : sets)
            if (!given[other] && (other == set || accepted[other].accepts(CosineOf(angle)))) {
                proposal.sets[other].angleDegrees = angle;
                given[other] = true;
            }
    }
}

}  // namespace

void ShareAnglesChangingNoNormal(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                                 SetProposal &proposal) {
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::map<std::tuple<std::string, SetKind, bool>, std::vector<int>> alike;
    for (int set = 0; set < static_cast<int>(proposal.sets.size()); ++set) {
        const ProposedSet &settings = proposal.sets[set];
        if (settings.enabled && footprints[set].polygons > 0)
            alike[{footprints[set].surface, settings.kind, settings.sameSetOnly}].push_back(set);
    }
    // Measuring what each set accepts walks every polygon's neighbours: not for nothing.
    if (std::none_of(alike.begin(), alike.end(),
                     [](const auto &group) { return group.second.size() > 1; }))
        return;
    std::vector<bool> measured(proposal.sets.size(), false);
    for (const auto &[settings, sets] : alike)
        if (sets.size() > 1)
            for (int set : sets) measured[set] = true;
    const std::vector<AcceptedCosines> accepted =
        AcceptedByEachSet(neighbourhood, proposal, measured);
    for (const auto &[settings, sets] : alike)
        if (sets.size() > 1) ShareAngles(sets, accepted, footprints, proposal);
}
