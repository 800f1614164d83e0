#include "host/session/set_options.h"

#include <algorithm>
#include <stdexcept>

#include "host/formats/object_reader.h"
#include "host/scene/plural.h"
#include "host/scene/polygon_set_sources.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "host/scene/set_name_pattern.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/set_request.h"

std::vector<std::string> SetSourcesOf(const ObjectFile &file) {
    const MeshData &mesh = file.mesh;
    auto any = [&mesh](auto has) {
        return std::any_of(mesh.polygons.begin(), mesh.polygons.end(), has);
    };
    std::vector<std::string> sources = {"shape", "surfaces"};
    if (!mesh.normals.empty() && any([](const MeshPolygon &p) { return !p.normalCorners.empty(); }))
        sources.push_back("normals");
    if (any([](const MeshPolygon &p) { return p.smoothingGroup != 0; }))
        sources.push_back("smoothing-groups");
    return sources;
}

namespace {

// "shape, surfaces or normals"
std::string EitherOf(const std::vector<std::string> &words) {
    std::string text = words.front();
    for (std::size_t i = 1; i < words.size(); ++i)
        text += (i + 1 == words.size() ? " or " : ", ") + words[i];
    return text;
}

}  // namespace

std::shared_ptr<ObjectFile> LoadObjectWithSets(const std::string &path, const std::string &setsFrom,
                                               const std::vector<std::uint8_t> *bytes) {
    auto read = [&] { return bytes ? ParseObjectFile(*bytes, path) : LoadObjectFile(path); };
    if (setsFrom.empty()) return read();
    std::optional<PolygonSetSource> source = PolygonSetSourceNamed(setsFrom);
    std::string asked = path + ": --sets-from " + setsFrom + ": ";
    if (!source) throw std::invalid_argument(asked + "not surfaces, groups nor smoothing-groups");
    if (source != PolygonSetSource::surfaces && !ReadsAsObj(path))
        throw std::runtime_error(asked +
                                 "a LightWave object has no groups or smoothing groups this tool "
                                 "reads; its polygon sets are its parts (PART tags), and "
                                 "--sets-from surfaces makes a set of each surface");
    std::shared_ptr<ObjectFile> file = read();
    MakePolygonSets(file->mesh, *source);
    if (CollectPolygonSets(file->mesh).names.empty())
        throw std::runtime_error(asked + "no polygon is in one, so no polygon set was made");
    return file;
}

std::vector<std::string> ApplySetOptions(HostSession &session, const ObjectFile &file,
                                         const std::vector<std::string> &options,
                                         const SurfaceFilter &filter, const WarningSink &warn) {
    std::vector<SetRequest> requests;
    for (const std::string &text : options) requests.push_back(ParseSetRequest(text));
    SetRequestOutcome outcome = ApplySetRequests(session, file, requests, filter, warn);
    std::vector<std::string> lines;
    for (std::size_t r = 0; r < requests.size(); ++r) {
        std::string option = "--set " + QuotedName(options[r]) + ": ";
        if (outcome.setsMatched[r] == 0) {
            bool none = CollectPolygonSets(file.mesh).names.empty();
            throw std::runtime_error(
                option + outcome.unmatched.front() +
                (none ? "; --sets-from " + EitherOf(SetSourcesOf(file)) + " makes them" : ""));
        }
        if (!SetNamePattern(requests[r].name).literal())
            lines.push_back(option + Plural(outcome.setsMatched[r], "polygon set") + " matched");
    }
    return lines;
}
