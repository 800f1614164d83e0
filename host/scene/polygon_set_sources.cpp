#include "host/scene/polygon_set_sources.h"

#include <map>

std::optional<PolygonSetSource> PolygonSetSourceNamed(const std::string &word) {
    if (word == "surfaces") return PolygonSetSource::surfaces;
    if (word == "groups") return PolygonSetSource::groups;
    if (word == "smoothing-groups") return PolygonSetSource::smoothingGroups;
    return std::nullopt;
}

std::string SmoothingGroupSetName(std::uint32_t group) {
    return "smoothing " + std::to_string(group);
}

void MakePolygonSets(MeshData &mesh, PolygonSetSource source) {
    std::map<std::uint32_t, PolygonTag> groupSets;  // one name per group, shared by its polygons
    for (MeshPolygon &polygon : mesh.polygons) {
        switch (source) {
            case PolygonSetSource::surfaces:
                polygon.part = polygon.surface;
                break;
            case PolygonSetSource::groups:
                break;
            case PolygonSetSource::smoothingGroups:
                if (polygon.smoothingGroup == 0) {
                    polygon.part.reset();
                    break;
                }
                auto [set, added] = groupSets.try_emplace(polygon.smoothingGroup);
                if (added) set->second = SmoothingGroupSetName(polygon.smoothingGroup);
                polygon.part = set->second;
                break;
        }
    }
}
