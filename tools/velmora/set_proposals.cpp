#include "tools/velmora/set_proposals.h"

#include <stdexcept>

#include "host/scene/set_name_pattern.h"
#include "sets/normals_proposal.h"
#include "sets/shape_proposal.h"

namespace {

void RefuseUnusableNormals(const ObjectFile &file, const std::optional<std::string> &surface) {
    AuthoredNormals normals = AuthoredNormalsOf(file.mesh, surface);
    if (normals == AuthoredNormals::usable) return;
    throw std::runtime_error(
        file.filename + ": --sets-from normals: " +
        (normals == AuthoredNormals::none
             ? "the object carries no normals of its own (OBJ vn, LightWave normal map)"
             : "the object's normals are unusable: every one is zero or not finite") +
        "; --sets-from shape proposes sets from its shape alone");
}

}  // namespace

bool IsProposedSetSource(const std::string &setsFrom) {
    return setsFrom == "shape" || setsFrom == "normals";
}

std::function<std::vector<SetRequest>(ObjectFile &)> SetProposer(
    const std::string &setsFrom, const std::optional<std::string> &surface,
    std::shared_ptr<SetProposal> kept) {
    return [setsFrom, surface, kept](ObjectFile &file) {
        if (setsFrom == "normals") RefuseUnusableNormals(file, surface);
        *kept = setsFrom == "normals" ? ProposeSetsFromNormals(file.mesh, surface)
                                      : ProposeSetsFromShape(file.mesh, surface);
        if (kept->sets.empty())
            throw std::runtime_error(file.filename + ": --sets-from " + setsFrom +
                                     ": no polygon has area, so no polygon set was proposed");
        ApplyProposal(file.mesh, *kept, surface);
        std::vector<SetRequest> requests;
        for (const ProposedSet &set : kept->sets)
            requests.push_back(
                {PatternForName(set.name), set.angleDegrees, set.sameSetOnly, set.enabled});
        return requests;
    };
}
