// The adjacency cache over an ordered map: the baseline the module's hashed map is measured
// against, and checked against it.
#pragma once

#include <cstdint>
#include <map>

#include "shader/adjacency_cache.h"

// Points ordered by their unsigned value.
struct PointOrder {
    bool operator()(LWPntID a, LWPntID b) const {
        return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
    }
};
using OrderedPointMap = std::map<LWPntID, PolygonList, PointOrder>;
using OrderedAdjacencyCache = BasicAdjacencyCache<OrderedPointMap>;
