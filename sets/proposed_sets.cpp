#include "sets/proposed_sets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

#include "host/scene/plural.h"
#include "sets/set_footprints.h"

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

std::string SetKindPlural(SetKind kind) {
    return kind == SetKind::normals ? SetKindName(kind) : SetKindName(kind) + std::string("s");
}

namespace {

// "39 of 40 corners (97.5%) within 5 degrees of the object's normals"
std::string CornersWithinText(double share, int measured) {
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.1f%%", 100 * share);
    auto within = std::lround(share * measured);
    std::string close = measured > 0 ? std::to_string(within) + " of " + std::to_string(measured) +
                                           " corners (" + percent + ")"
                                     : std::string(percent) + " of its corners";
    return close + " within 5 degrees of the object's normals";
}

}  // namespace

std::string ProposedSetSummary(const ProposedSet &set) {
    std::string text = std::string(SetKindName(set.kind)) + ", " + set.reason;
    if (set.cornersWithin < 0) return text;
    return text + "; " + CornersWithinText(set.cornersWithin, set.cornersMeasured);
}

std::string ProposalCloseness(const SetProposal &proposal) {
    long within = 0;
    int measured = 0;
    for (const ProposedSet &set : proposal.sets)
        if (set.cornersMeasured > 0) {
            within += std::lround(set.cornersWithin * set.cornersMeasured);
            measured += set.cornersMeasured;
        }
    if (measured == 0) return "";
    std::string text = CornersWithinText(double(within) / measured, measured);
    if (proposal.cornersUnmeasured > 0)
        text += "; " + Plural(std::size_t(proposal.cornersUnmeasured), "corner") +
                " not measured: the object's normals there are zero or not finite";
    return text;
}

const ProposedSet *ProposedSetNamed(const SetProposal &proposal, const std::string &name) {
    for (const ProposedSet &set : proposal.sets)
        if (set.name == name) return &set;
    return nullptr;
}

void ApplyProposal(MeshData &mesh, const SetProposal &proposal,
                   const std::optional<std::string> &surface) {
    std::vector<PolygonTag> tags;  // one shared name per set
    for (const ProposedSet &set : proposal.sets) tags.emplace_back(set.name);
    for (std::size_t p = 0; p < mesh.polygons.size() && p < proposal.setOf.size(); ++p) {
        MeshPolygon &polygon = mesh.polygons[p];
        if (proposal.setOf[p] >= 0)
            polygon.part = tags[proposal.setOf[p]];
        else if (!surface || polygon.surface == *surface)
            polygon.part.reset();
    }
}

void RenumberSets(SetProposal &proposal, std::vector<ProposedSet> sets,
                  const std::vector<int> &renumbered) {
    for (int &set : proposal.setOf)
        if (set >= 0) set = renumbered[set];
    proposal.sets = std::move(sets);
}

void NameSetsBySurface(const MeshData &mesh, SetProposal &proposal) {
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::map<std::string, int> surfaceRank;  // by the surface's first polygon
    // A surface ranks by the first polygon of its sets, and each set knows its own.
    for (const SetFootprint &footprint : footprints)
        if (footprint.polygons > 0) {
            auto [rank, added] = surfaceRank.try_emplace(footprint.surface, footprint.firstPolygon);
            if (!added) rank->second = std::min(rank->second, footprint.firstPolygon);
        }
    auto place = [&](int set) {
        const SetFootprint &at = footprints[set];
        return std::tuple(surfaceRank[at.surface], proposal.sets[set].kind, at.firstPolygon);
    };
    std::vector<int> order;
    for (int set = 0; set < static_cast<int>(proposal.sets.size()); ++set)
        if (footprints[set].polygons > 0) order.push_back(set);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return place(a) < place(b); });

    std::map<std::pair<std::string, SetKind>, int> ofKind;
    for (int set : order) ++ofKind[{footprints[set].surface, proposal.sets[set].kind}];
    std::map<std::pair<std::string, SetKind>, int> numbered;
    std::vector<int> renumbered(proposal.sets.size(), -1);
    std::vector<ProposedSet> named;
    for (int set : order) {
        const std::string &surface = footprints[set].surface;
        ProposedSet next = proposal.sets[set];
        const std::pair key(surface, next.kind);
        next.name = ofKind[key] == 1
                        ? SetKindPlural(next.kind)
                        : SetKindName(next.kind) + (" " + std::to_string(++numbered[key]));
        if (!surface.empty()) next.name += " (" + surface + ")";
        renumbered[set] = static_cast<int>(named.size());
        named.push_back(std::move(next));
    }
    RenumberSets(proposal, std::move(named), renumbered);
}
