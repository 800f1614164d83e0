#include "host/scene/polygon_sets.h"

#include <algorithm>
#include <map>

bool PolygonSets::holds(const std::string &name) const {
    return std::find(names.begin(), names.end(), name) != names.end();
}

PolygonSets CollectPolygonSets(const MeshData &mesh, const std::optional<std::string> &surface) {
    PolygonSets sets;
    std::map<std::string, int> indexOf;
    sets.setOf.reserve(mesh.polygons.size());
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (!polygon.part || (surface && polygon.surface != surface)) {
            sets.setOf.push_back(-1);
            continue;
        }
        auto [entry, added] =
            indexOf.try_emplace(*polygon.part, static_cast<int>(sets.names.size()));
        if (added) {
            sets.names.push_back(*polygon.part);
            sets.polygonCounts.push_back(0);
        }
        ++sets.polygonCounts[entry->second];
        sets.setOf.push_back(entry->second);
    }
    return sets;
}
