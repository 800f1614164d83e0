#include "tools/velmora/surface_proposal_summary.h"

#include <cctype>
#include <vector>

#include "host/scene/plural.h"
#include "sets/set_footprints.h"

namespace {

std::string LowerCase(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "2 round sets (340, 20 polygons)"
std::string KindText(SetKind kind, const std::vector<std::size_t> &polygons) {
    std::string counts;
    for (std::size_t count : polygons)
        counts += (counts.empty() ? "" : ", ") + std::to_string(count);
    return Plural(polygons.size(), LowerCase(SetKindName(kind)) + " set") + " (" + counts +
           (polygons.size() == 1 && polygons[0] == 1 ? " polygon)" : " polygons)");
}

}  // namespace

std::string SurfaceProposalSummary(const MeshData &mesh, const SetProposal &proposal,
                                   const std::string &surface) {
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::vector<std::pair<SetKind, std::vector<std::size_t>>> byKind;
    std::size_t sets = 0;
    for (std::size_t set = 0; set < footprints.size(); ++set) {
        if (footprints[set].surface != surface || footprints[set].polygons == 0) continue;
        SetKind kind = proposal.sets[set].kind;
        if (byKind.empty() || byKind.back().first != kind) byKind.push_back({kind, {}});
        byKind.back().second.push_back(footprints[set].polygons);
        ++sets;
    }
    std::size_t left = 0;
    for (std::size_t p = 0; p < proposal.setOf.size(); ++p)
        if (proposal.setOf[p] == LeftToHost && mesh.polygons[p].surface.value_or("") == surface)
            ++left;
    if (sets == 0 && left == 0) return "";
    std::string text = Plural(sets, "set");
    for (std::size_t kind = 0; kind < byKind.size(); ++kind)
        text += (kind == 0 ? ": " : ", ") + KindText(byKind[kind].first, byKind[kind].second);
    return text + "; " + Plural(left, "polygon") + " left to the host's smoothing";
}
