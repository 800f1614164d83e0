#include "tools/velmora/parts_report.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>

#include "host/scene/plural.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "host/session/dialog_settings.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/nothing_to_shade.h"
#include "tools/velmora/set_settings_words.h"
#include "tools/velmora/surface_proposal_summary.h"

namespace {

// A listing is where names are read in full, up to a length no one would type.
constexpr std::size_t LongestNameShown = 512;

// A set's settings as the report words them.
std::string Described(const DialogSettings &shown) {
    if (!shown.enabled) return KeepsHostSmoothing;
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g", shown.angleDegrees);
    return std::string("smoothed at ") + angle + " degrees" +
           (shown.sameSetOnly ? ", within the set only" : "");
}

std::string HostSmoothingText(const geometry::SmoothingAngles &smoothing,
                              const std::string &surface) {
    auto own = smoothing.degreesBySurface.find(surface);
    double degrees =
        own == smoothing.degreesBySurface.end() ? smoothing.defaultDegrees : own->second;
    if (!(degrees > 0)) return "host shading flat";
    char angle[32];
    std::snprintf(angle, sizeof angle, "%g", degrees);
    return std::string("host smoothing at ") + angle + " degrees";
}

// The line under a proposed set: its kind, why, and how close it came.
std::string ProposedText(const SetProposal *proposal, const std::string &name) {
    const ProposedSet *set = proposal ? ProposedSetNamed(*proposal, name) : nullptr;
    return set ? "      proposed: " + ProposedSetSummary(*set) + "\n" : "";
}

// The sets in the order a listing takes: the proposed ones by kind and number, as the proposal
// holds them, then any others in order of first use.
std::vector<std::size_t> ListingOrder(const PolygonSets &sets, const SetProposal *proposal) {
    std::vector<std::size_t> order(sets.names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (!proposal) return order;
    auto rank = [&](std::size_t set) {
        const ProposedSet *proposed = ProposedSetNamed(*proposal, sets.names[set]);
        return proposed ? proposed - proposal->sets.data() : std::ptrdiff_t(proposal->sets.size());
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return rank(a) < rank(b); });
    return order;
}

// The line under a surface's heading that sums up what the proposal gave it.
std::string ProposalLine(const ObjectFile &file, const SetProposal *proposal,
                         const std::string &surface) {
    std::string summary = proposal ? SurfaceProposalSummary(file.mesh, *proposal, surface) : "";
    return summary.empty() ? "" : "    proposed: " + summary + "\n";
}

}  // namespace

std::string PartsReport(HostSession &session, const ObjectFile &file,
                        const geometry::SmoothingAngles &hostSmoothing,
                        const SetProposal *proposal) {
    std::string report = PrintableText(file.filename) + ": " + PolygonCountText(file.mesh) + "\n";
    if (std::string closeness = proposal ? ProposalCloseness(*proposal) : ""; !closeness.empty())
        report += "  proposed sets: " + closeness + "\n";
    for (const std::string &surface : file.surfaces) {
        PolygonSets sets = CollectPolygonSets(file.mesh, surface);
        LWInstance instance = session.instanceOf(file, surface);
        report += "  surface " + QuotedName(surface, LongestNameShown) + ": " +
                  (instance ? "shader " + std::string(ShaderServer) : "no shader") + ", " +
                  HostSmoothingText(hostSmoothing, surface) + "\n";
        std::map<std::string, DialogSettings> shown;
        if (instance && !sets.names.empty())
            shown = ReadDialogSettings(session, instance, sets.names);
        report += ProposalLine(file, proposal, surface);
        for (std::size_t set : ListingOrder(sets, proposal)) {
            const std::string &name = sets.names[set];
            report += "    " + QuotedName(name, LongestNameShown) + ": " +
                      Plural(std::size_t(sets.polygonCounts[set]), "polygon");
            if (instance) report += ", " + Described(shown[name]);
            report += "\n" + ProposedText(proposal, name);
        }
        if (sets.names.empty()) report += "    no polygon sets\n";
    }
    return report;
}
