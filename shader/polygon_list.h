// The polygons that use one point of a mesh, as the adjacency table lends them out.
#pragma once

#include <array>
#include <cstdint>

#include "hostapi/lwtypes.h"

// What the table keeps of a polygon: its id and the corners its normal is taken from (0, 1 and
// n - 1, all null when it has fewer than three), so that a neighbour's normal costs the host
// three position reads and no topology queries. Topology is fixed while the table lives.
struct ListedPolygon {
    LWPolID id = nullptr;
    std::array<LWPntID, 3> normalCorners{};
};

// A list entry's polygon, whether the list holds records or, as the benchmark baselines do, ids.
inline LWPolID IdOf(const ListedPolygon &polygon) {
    return polygon.id;
}
inline LWPolID IdOf(LWPolID polygon) {
    return polygon;
}

struct PolygonList {
    const std::int32_t *indices = nullptr;  // `count` entries into `polygons`
    std::int32_t count = 0;
    const ListedPolygon *polygons = nullptr;  // every polygon of the table, owned by it

    const ListedPolygon &operator[](std::int32_t index) const { return polygons[indices[index]]; }
};
