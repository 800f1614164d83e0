// The polygons that use one point of a mesh.
#pragma once

#include <cstdint>
#include <memory>

#include "hostapi/lwtypes.h"

struct PolygonList {
    // Polygon references of the point; once the cache is built, the valid entries of `polygons`.
    std::int32_t count = 0;
    std::unique_ptr<LWPolID[]> polygons;  // at least `count` entries; none when `count` is 0
    std::int32_t filled = 0;              // next free entry while the cache is being filled
};
