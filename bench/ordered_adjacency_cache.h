// The adjacency cache over an ordered map: a second baseline for the module's flat table.
#pragma once

#include <cstdint>
#include <map>

#include "bench/point_map_adjacency_cache.h"

// Points ordered by their unsigned value.
struct PointOrder {
    bool operator()(LWPntID a, LWPntID b) const {
        return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
    }
};
using OrderedPointMap = std::map<LWPntID, MappedPolygonList, PointOrder>;
using OrderedAdjacencyCache = PointMapAdjacencyCache<OrderedPointMap>;
