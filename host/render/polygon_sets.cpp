#include "host/render/polygon_sets.h"

#include <map>

namespace render {

PolygonSets CollectPolygonSets(const MeshData &mesh) {
    PolygonSets sets;
    std::map<std::string, int> indexOf;
    sets.setOf.reserve(mesh.polygons.size());
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (!polygon.part) {
            sets.setOf.push_back(-1);
            continue;
        }
        auto [entry, added] =
            indexOf.try_emplace(*polygon.part, static_cast<int>(sets.names.size()));
        if (added) sets.names.push_back(*polygon.part);
        sets.setOf.push_back(entry->second);
    }
    return sets;
}

}  // namespace render
