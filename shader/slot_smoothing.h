// The smoothed normal of one sample over the polygons around its four vertex slots, given the
// object's adjacency table. Runs under ShaderLock, as every use of the table does.
#pragma once

#include <cmath>

#include "hostapi/lwshader.h"
#include "shader/polygon_normal.h"
#include "shader/sample_neighbours.h"
#include "shader/vec3.h"

// The sample polygon's normal, from the table's record of it where a slot's point lists it: three
// position reads instead of the host's topology queries, and the same corners either way.
template <typename Cache>
Vec3 OwnNormal(LWMeshInfo &accessor, Cache &cache, const LWShaderAccess &sample,
               SampleNeighbours &neighbours) {
    for (LWPntID point : sample.verts) {
        const auto &list = cache.polygonsAt(point);
        for (int index = 0; index < list.count; ++index)
            if (IdOf(list[index]) == sample.polygon) return neighbours.normalOf(list[index]);
    }
    return polygonNormal(accessor, sample.polygon);
}

// Each slot sums the sample polygon's normal and every neighbour within `angle` of it (tested
// against the sample polygon, never the running sum), normalised and weighted by the slot's
// weight as the host gives it. The result is normalised, or zero.
template <typename Cache>
Vec3 SmoothOverSlots(LWMeshInfo &accessor, Cache &cache, const LWShaderAccess &sample, double angle,
                     int sameSetOnly) {
    SampleNeighbours neighbours(accessor, sample.polygon);
    const Vec3 own = OwnNormal(accessor, cache, sample, neighbours);
    const double threshold = std::cos(angle);
    Vec3 total;
    for (int slot = 0; slot < 4; ++slot) {
        const auto &list = cache.polygonsAt(sample.verts[slot]);
        // A slot of weight zero would add zeros, which leave the total as it is to the bit (it
        // is never -0): its sum is not worth making. Its point is still looked up, as it always is.
        if (sample.weights[slot] == 0) continue;
        Vec3 sum = own;
        for (int index = 0; index < list.count; ++index) {
            const auto &neighbour = list[index];
            if (IdOf(neighbour) == sample.polygon) continue;
            if (sameSetOnly && !neighbours.inSameSet(IdOf(neighbour))) continue;
            const Vec3 normal = neighbours.normalOf(neighbour);
            if (dot(own, normal) > threshold) sum += normal;
        }
        total += static_cast<double>(sample.weights[slot]) * normalize(sum);
    }
    return normalize(total);
}
