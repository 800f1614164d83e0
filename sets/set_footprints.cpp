#include "sets/set_footprints.h"

std::vector<SetFootprint> FootprintsOf(const MeshData &mesh, const SetProposal &proposal) {
    std::vector<SetFootprint> footprints(proposal.sets.size());
    for (std::size_t p = 0; p < proposal.setOf.size(); ++p) {
        int set = proposal.setOf[p];
        if (set < 0) continue;
        SetFootprint &footprint = footprints[set];
        if (footprint.polygons++ == 0) {
            footprint.firstPolygon = static_cast<int>(p);
            footprint.surface = mesh.polygons[p].surface.value_or("");
        }
    }
    return footprints;
}
