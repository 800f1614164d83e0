// The polygons that use one point of a mesh, as the adjacency table lends them out.
#pragma once

#include <cstdint>

#include "hostapi/lwtypes.h"

struct PolygonList {
    const LWPolID *polygons = nullptr;  // `count` entries, owned by the table
    std::int32_t count = 0;
};
