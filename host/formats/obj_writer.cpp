#include "host/formats/obj_writer.h"

#include <cstdio>
#include <string_view>

#include "host/formats/obj_reader.h"

namespace {

struct ObjTags {
    PolygonTag part;
    std::string surface = kObjDefaultSurface;
};

void WriteTagChanges(std::string &text, ObjTags &current, const MeshPolygon &polygon) {
    if (polygon.part != current.part) {
        current.part = polygon.part;
        text += "g";
        if (current.part) text.append(" ").append(*current.part);
        text += "\n";
    }
    std::string_view surface =
        polygon.surface ? std::string_view(*polygon.surface) : std::string_view(kObjDefaultSurface);
    if (surface != current.surface) {
        current.surface = surface;
        text.append("usemtl ").append(surface).append("\n");
    }
}

void WritePolygons(std::string &text, ObjTags &current, const std::vector<MeshPolygon> &polygons,
                   bool lines) {
    for (const MeshPolygon &polygon : polygons) {
        if ((polygon.points.size() == 2) != lines) continue;
        WriteTagChanges(text, current, polygon);
        text += lines ? "l" : polygon.points.size() == 1 ? "p" : "f";
        for (int point : polygon.points) text.append(" ").append(std::to_string(point + 1));
        text += "\n";
    }
}

}  // namespace

std::string ObjText(const ObjectFile &object) {
    std::string text = "# " + object.filename + "\n";
    char line[128];
    for (const auto &point : object.mesh.points) {
        std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", point[0], point[1], point[2]);
        text += line;
    }
    ObjTags current;
    WritePolygons(text, current, object.mesh.polygons, false);
    WritePolygons(text, current, object.mesh.polygons, true);
    return text;
}
