#include "tools/velmora/nothing_to_shade.h"

#include <algorithm>
#include <stdexcept>

#include "host/scene/plural.h"

std::optional<std::string> NothingToShade(const ObjectFile &file) {
    const std::vector<MeshPolygon> &polygons = file.mesh.polygons;
    auto withCorners = [&](std::size_t corners) {
        return std::size_t(std::count_if(polygons.begin(), polygons.end(), [&](const auto &p) {
            return p.points.size() == corners;
        }));
    };
    if (std::any_of(polygons.begin(), polygons.end(),
                    [](const MeshPolygon &p) { return p.points.size() >= 3; }))
        return std::nullopt;
    std::string held = Plural(file.mesh.points.size(), "point");
    if (std::size_t lines = withCorners(2)) held += " and " + Plural(lines, "line");
    if (std::size_t dots = withCorners(1)) held += " and " + Plural(dots, "one-point polygon");
    return file.filename + ": no polygons to shade, only " + held;
}

void RefuseNothingToShade(const ObjectFile &file) {
    if (std::optional<std::string> why = NothingToShade(file)) throw std::runtime_error(*why);
}
