#include "sets/sets_per_surface.h"

#include <algorithm>
#include <map>

#include "sets/set_footprints.h"

void LeaveSmallestSetsToHost(const MeshData &mesh, SetProposal &proposal, int most) {
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::map<std::string, std::vector<int>> setsOfSurface;
    for (std::size_t set = 0; set < footprints.size(); ++set)
        setsOfSurface[footprints[set].surface].push_back(static_cast<int>(set));

    std::vector<bool> kept(proposal.sets.size(), true);
    for (auto &[surface, sets] : setsOfSurface) {
        if (static_cast<int>(sets.size()) <= most) continue;
        std::sort(sets.begin(), sets.end(), [&](int a, int b) {
            if (footprints[a].polygons != footprints[b].polygons)
                return footprints[a].polygons > footprints[b].polygons;
            return footprints[a].firstPolygon < footprints[b].firstPolygon;
        });
        for (std::size_t rank = most; rank < sets.size(); ++rank) kept[sets[rank]] = false;
    }

    std::vector<int> renumbered(proposal.sets.size(), LeftToHost);
    std::vector<ProposedSet> staying;
    for (std::size_t set = 0; set < proposal.sets.size(); ++set)
        if (kept[set]) {
            renumbered[set] = static_cast<int>(staying.size());
            staying.push_back(proposal.sets[set]);
        }
    RenumberSets(proposal, std::move(staying), renumbered);
}
