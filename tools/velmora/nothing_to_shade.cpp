#include "tools/velmora/nothing_to_shade.h"

#include <stdexcept>

#include "host/scene/plural.h"

namespace {

// The polygons by the corners they have, each polygon of three or more a face.
struct PolygonKinds {
    std::size_t faces = 0, lines = 0, dots = 0;
};

PolygonKinds CountPolygonKinds(const MeshData &mesh) {
    PolygonKinds kinds;
    for (const MeshPolygon &polygon : mesh.polygons) {
        std::size_t corners = polygon.points.size();
        ++(corners >= 3 ? kinds.faces : corners == 2 ? kinds.lines : kinds.dots);
    }
    return kinds;
}

}  // namespace

std::string PolygonCountText(const MeshData &mesh) {
    std::string text = Plural(mesh.polygons.size(), "polygon");
    PolygonKinds kinds = CountPolygonKinds(mesh);
    if (kinds.faces == mesh.polygons.size()) return text;
    std::string parts;
    auto add = [&parts](std::size_t count, const std::string &noun) {
        if (count > 0) parts += (parts.empty() ? "" : ", ") + Plural(count, noun);
    };
    add(kinds.faces, "face");
    add(kinds.lines, "line");
    add(kinds.dots, "one-point polygon");
    return text + ": " + parts + (kinds.faces == 0 ? ", no faces" : "");
}

std::optional<std::string> NothingToShade(const ObjectFile &file) {
    PolygonKinds kinds = CountPolygonKinds(file.mesh);
    if (kinds.faces > 0) return std::nullopt;
    std::string held = Plural(file.mesh.points.size(), "point");
    if (kinds.lines) held += " and " + Plural(kinds.lines, "line");
    if (kinds.dots) held += " and " + Plural(kinds.dots, "one-point polygon");
    return file.filename + ": no polygons to shade, only " + held;
}

void RefuseNothingToShade(const ObjectFile &file) {
    if (std::optional<std::string> why = NothingToShade(file)) throw std::runtime_error(*why);
}
