#include "sets/proposed_sets.h"

#include <cmath>
#include <cstdio>
#include <map>

const char *SetKindName(SetKind kind) {
    switch (kind) {
        case SetKind::flat:
            return "Flat";
        case SetKind::chamfer:
            return "Chamfer";
        case SetKind::round:
            return "Round";
        case SetKind::fillet:
            return "Fillet";
        case SetKind::freeform:
            return "Freeform";
        case SetKind::normals:
            return "Smooth";
    }
    return "Set";
}

std::string ProposedSetSummary(const ProposedSet &set) {
    std::string text = std::string(SetKindName(set.kind)) + ", " + set.reason;
    if (set.cornersWithin < 0) return text;
    char share[32];
    std::snprintf(share, sizeof share, "%.1f%%", 100 * set.cornersWithin);
    auto within = std::lround(set.cornersWithin * set.cornersMeasured);
    std::string close = set.cornersMeasured > 0
                            ? std::to_string(within) + " of " +
                                  std::to_string(set.cornersMeasured) + " corners (" + share + ")"
                            : std::string(share) + " of its corners";
    return text + "; " + close + " within 5 degrees of the object's normals";
}

const ProposedSet *ProposedSetNamed(const SetProposal &proposal, const std::string &name) {
    for (const ProposedSet &set : proposal.sets)
        if (set.name == name) return &set;
    return nullptr;
}

void ApplyProposal(MeshData &mesh, const SetProposal &proposal) {
    std::vector<PolygonTag> tags;  // one shared name per set
    for (const ProposedSet &set : proposal.sets) tags.emplace_back(set.name);
    for (std::size_t p = 0; p < mesh.polygons.size() && p < proposal.setOf.size(); ++p) {
        if (proposal.setOf[p] >= 0) mesh.polygons[p].part = tags[proposal.setOf[p]];
        if (proposal.setOf[p] == LeftToHost) mesh.polygons[p].part.reset();
    }
}

void NameSetsInOrder(SetProposal &proposal) {
    std::vector<int> renumbered(proposal.sets.size(), -1);
    std::vector<ProposedSet> ordered;
    std::map<SetKind, int> counts;
    for (int &set : proposal.setOf) {
        if (set < 0) continue;
        if (renumbered[set] < 0) {
            renumbered[set] = static_cast<int>(ordered.size());
            ProposedSet named = proposal.sets[set];
            named.name =
                std::string(SetKindName(named.kind)) + " " + std::to_string(++counts[named.kind]);
            ordered.push_back(std::move(named));
        }
        set = renumbered[set];
    }
    proposal.sets = std::move(ordered);
}
