#include "tools/view/view_object.h"

#include <algorithm>
#include <cmath>

#include "host/render/difference_map.h"
#include "host/render/set_map.h"
#include "host/scene/first_corners.h"
#include "host/scene/name_lookup.h"
#include "host/scene/quoted_list.h"
#include "host/scene/set_name_pattern.h"
#include "host/scene/utf8_text.h"
#include "host/session/scripted_set_edits.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/unit_corner_normals.h"

namespace {

using nlohmann::json;

// Unit normals to five decimals, some 0.0006 degrees at worst: far below what a screen shows,
// and it keeps a large object's answer to a fraction of its full size.
json Flat(const std::vector<geometry::Vec3> &normals) {
    std::vector<double> flat;
    flat.reserve(3 * normals.size());
    auto rounded = [](double v) { return std::round(v * 1e5) / 1e5; };
    for (const geometry::Vec3 &n : normals)
        for (double v : {n.x, n.y, n.z}) flat.push_back(rounded(v));
    return flat;
}

json Colour(render::Rgb8 colour) {
    return {colour.r, colour.g, colour.b};
}

// The difference scale a degree at a time, from agreement to its end, as the picture's key.
json DifferenceScale() {
    json colours = json::array();
    for (int degrees = 0; degrees <= render::DifferenceScaleDegrees; ++degrees)
        colours.push_back(Colour(render::DifferenceColour(degrees)));
    return {{"scaleDegrees", render::DifferenceScaleDegrees}, {"colours", colours}};
}

int IndexIn(const std::vector<std::string> &names, const PolygonTag &tag) {
    if (!tag) return -1;
    auto found = std::find(names.begin(), names.end(), *tag);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// The names as the page shows them and sends them back.
std::vector<std::string> Shown(const std::vector<std::string> &names) {
    std::vector<std::string> shown;
    shown.reserve(names.size());
    for (const std::string &name : names) shown.push_back(Utf8Text(name));
    return shown;
}

// Where among `names` is the one the page shows as `shown`, found by `lookup` among the names as
// shown. A name in UTF-8 and its twin in Latin-1 ("Caf\xc3\xa9", "Caf\xe9") show alike: rather
// than edit one of them at a guess, the view refuses. `kind` says what the names are, for the
// message.
template <typename Lookup>
std::size_t IndexShownAs(const std::vector<std::string> &names, const std::string &shown,
                         const std::string &kind, Lookup lookup) {
    std::vector<std::string> shownNames = Shown(names);
    if (std::count(shownNames.begin(), shownNames.end(), shown) > 1)
        throw ViewRequestError(409, "two " + kind + " show as " + QuotedName(shown) +
                                        ", one named in UTF-8 and one in Latin-1: the view "
                                        "cannot tell them apart; rename one to edit it");
    try {
        return lookup(shownNames);
    } catch (const UnknownName &unknown) {
        throw ViewRequestError(404, unknown.what());
    }
}

}  // namespace

ViewObject::ViewObject(HostSession &session, geometry::SmoothingAngles hostSmoothing,
                       unsigned threads, SetProposal proposal)
    : session(session),
      item(session.scene().items.front()),
      hostSmoothing(std::move(hostSmoothing)),
      threads(threads),
      shape(geometry::ComputeHostShape(item.file->mesh)),
      allSets(CollectPolygonSets(item.file->mesh)),
      proposal(std::move(proposal)) {
    const MeshData &mesh = item.file->mesh;
    firstCorner = FirstCorners(mesh);
    for (const MeshPolygon &polygon : mesh.polygons)
        polygonSurface.push_back(IndexIn(item.file->surfaces, polygon.surface));
    hostNormals = geometry::ComputeHostNormals(mesh, this->hostSmoothing).corner;
    moduleNormals =
        SampleCornerNormals(item, session.hooksOf(*item.file), this->hostSmoothing, threads);
    for (const std::string &name : item.file->surfaces) {
        Surface &surface = surfaces.emplace_back(Surface{name, CollectPolygonSets(mesh, name), {}});
        readSettings(surface, surface.sets.names);
    }
}

void ViewObject::readSettings(Surface &surface, const std::vector<std::string> &sets) {
    LWInstance instance = session.instanceOf(*item.file, surface.name);
    if (!instance || sets.empty()) return;
    for (auto &[name, shown] : ReadDialogSettings(session, instance, sets))
        surface.shown[name] = shown;
}

json ViewObject::settingsOf(const Surface &surface, std::size_t set) const {
    const std::string &name = surface.sets.names[set];
    json settings = {{"name", Utf8Text(name)},
                     {"set", IndexIn(allSets.names, PolygonTag(name))},
                     {"polygons", surface.sets.polygonCounts[set]}};
    auto shown = surface.shown.find(name);
    if (shown == surface.shown.end()) {
        // Without the shader the host smooths the set, as it does with smoothing off.
        settings.update({{"enabled", false}, {"angle", nullptr}, {"sameSetOnly", false}});
        return settings;
    }
    settings.update({{"enabled", shown->second.enabled},
                     {"angle", shown->second.angleDegrees},
                     {"sameSetOnly", shown->second.sameSetOnly}});
    return settings;
}

json ViewObject::describe() const {
    const MeshData &mesh = item.file->mesh;
    std::vector<float> points;
    points.reserve(3 * mesh.points.size());
    for (const auto &point : mesh.points) points.insert(points.end(), point.begin(), point.end());
    std::vector<int> corners;
    corners.reserve(firstCorner.back());
    for (const MeshPolygon &polygon : mesh.polygons)
        corners.insert(corners.end(), polygon.points.begin(), polygon.points.end());
    json sets = json::array();
    for (std::size_t set = 0; set < allSets.names.size(); ++set) {
        json entry = {{"name", Utf8Text(allSets.names[set])},
                      {"colour", Colour(render::SetColour(static_cast<int>(set)))}};
        if (const ProposedSet *proposed = ProposedSetNamed(proposal, allSets.names[set]))
            entry["proposed"] = {{"kind", SetKindName(proposed->kind)},
                                 {"reason", proposed->reason},
                                 {"summary", ProposedSetSummary(*proposed)}};
        sets.push_back(entry);
    }
    json surfaceList = json::array();
    for (const Surface &surface : surfaces) {
        json setList = json::array();
        for (std::size_t set = 0; set < surface.sets.names.size(); ++set)
            setList.push_back(settingsOf(surface, set));
        surfaceList.push_back({{"name", Utf8Text(surface.name)},
                               {"shader", session.instanceOf(*item.file, surface.name) != nullptr},
                               {"sets", setList}});
    }
    return {{"name", Utf8Text(item.file->filename)},
            {"points", points},
            {"corners", corners},
            {"polygonStarts", firstCorner},
            {"polygonSurface", polygonSurface},
            {"polygonSet", allSets.setOf},
            {"hostNormals", Flat(hostNormals)},
            {"moduleNormals", Flat(moduleNormals)},
            {"noSetColour", Colour(render::SetColour(-1))},
            {"sets", sets},
            {"surfaces", surfaceList},
            {"difference", DifferenceScale()}};
}

std::size_t ViewObject::surfaceShownAs(const std::string &shown) const {
    return IndexShownAs(item.file->surfaces, shown, "surfaces", [&](const auto &names) {
        return SurfaceIndex(names, shown, Utf8Text(item.file->filename));
    });
}

std::size_t ViewObject::setShownAs(const Surface &surface, const std::string &shown) const {
    const std::string surfaceName = Utf8Text(surface.name);
    return IndexShownAs(
        surface.sets.names, shown, "polygon sets of surface " + QuotedName(surfaceName),
        [&](const auto &names) {
            return PolygonSetIndex(names, shown, {Utf8Text(item.file->filename), surfaceName});
        });
}

// The module smooths a corner from the polygons at its point, so a set's settings reach only
// the corners at the set's points: its own, and those of the polygons around it there.
ViewObject::Reach ViewObject::reachOf(std::size_t surface, const std::string &set) const {
    const MeshData &mesh = item.file->mesh;
    const int setIndex = IndexIn(allSets.names, PolygonTag(set));
    Reach reach{std::vector<char>(mesh.points.size(), 0), {}};
    std::vector<char> near(mesh.polygons.size(), 0);
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        if (allSets.setOf[p] != setIndex || polygonSurface[p] != static_cast<int>(surface))
            continue;
        for (int point : mesh.polygons[p].points) {
            if (reach.points[point]) continue;
            reach.points[point] = 1;
            for (int i = shape.at.first[point]; i < shape.at.first[point + 1]; ++i)
                near[shape.at.polygons[i]] = 1;
        }
    }
    for (std::size_t p = 0; p < near.size(); ++p)
        if (near[p]) reach.polygons.push_back(static_cast<int>(p));
    return reach;
}

const render::ShaderHooks &ViewObject::renderOfHooks() {
    render::ShaderHooks now = session.hooksOf(*item.file);
    auto sameInstances = [&now, this] {
        if (now.size() != hooks.size()) return false;
        for (const auto &[surface, hook] : now) {
            auto held = hooks.find(surface);
            if (held == hooks.end() || held->second.instance != hook.instance) return false;
        }
        return true;
    };
    if (!pass || !sameInstances()) {
        pass.reset();
        hooks = std::move(now);
        pass = std::make_unique<render::ShaderPass>(hooks);
    }
    return hooks;
}

// The edit names its surface and set as the page shows them; the module is given them as the
// object's own bytes, which are what its settings and the files written keep.
json ViewObject::edit(const SetEdit &edit) {
    const std::size_t surfaceIndex = surfaceShownAs(edit.surface);
    Surface &surface = surfaces[surfaceIndex];
    const std::size_t set = setShownAs(surface, edit.set);
    const std::string &setName = surface.sets.names[set];
    if (edit.angleDegrees && !(*edit.angleDegrees >= 0 && *edit.angleDegrees <= 360))
        throw ViewRequestError(400, "angle: expected degrees from 0 to 360");

    auto shown = surface.shown.find(setName);
    bool enabled = shown != surface.shown.end() && shown->second.enabled;
    SetRequest request{PatternForName(setName), edit.angleDegrees, edit.sameSetOnly,
                       edit.enabled.value_or(enabled)};
    ApplySetRequests(session, *item.file, {request}, {surface.name});
    readSettings(surface, {setName});

    Reach reach = reachOf(surfaceIndex, setName);
    std::vector<CornerNormal> sampled = SampleCornersOf(item, renderOfHooks(), shape, hostSmoothing,
                                                        reach.polygons, threads, reach.points);
    std::vector<std::size_t> changed;
    std::vector<geometry::Vec3> normals;
    const MeshData &mesh = item.file->mesh;
    auto next = sampled.begin();
    for (int p : reach.polygons)
        for (int corner = firstCorner[p]; corner < firstCorner[p + 1]; ++corner, ++next) {
            int point = mesh.polygons[p].points[corner - firstCorner[p]];
            if (!reach.points[point] || moduleNormals[corner] == *next) continue;
            moduleNormals[corner] = *next;
            changed.push_back(corner);
            normals.push_back(*next);
        }
    return {
        {"corners", changed}, {"normals", Flat(normals)}, {"settings", settingsOf(surface, set)}};
}

CornerBlock ViewObject::unitCornerNormals() const {
    CornerBlock block{0, item.file->mesh.polygons.size(), moduleNormals, hostNormals};
    ReplaceZeroNormals(item.file->mesh, shape, block);
    return block;
}
