// The adjacency cache as it was first built: one map entry per point, each owning its array of
// polygons. Kept as the baseline the module's flat table is measured and checked against; the
// map type is the parameter, so that hashed and ordered maps are compared in one run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "hostapi/lwmeshes.h"
#include "module/callback_guard.h"

struct MappedPolygonList {
    // Polygon references of the point; once the cache is built, the valid entries of `polygons`.
    std::int32_t count = 0;
    std::unique_ptr<LWPolID[]> polygons;  // at least `count` entries; none when `count` is 0
    std::int32_t filled = 0;              // next free entry while the cache is being filled

    LWPolID operator[](std::int32_t index) const { return polygons[index]; }
};

template <typename PointMap>
class PointMapAdjacencyCache {
  public:
    explicit PointMapAdjacencyCache(LWItemID objectID) : object(objectID) {}
    PointMapAdjacencyCache(const PointMapAdjacencyCache &) = delete;
    PointMapAdjacencyCache &operator=(const PointMapAdjacencyCache &) = delete;

    LWItemID objectID() const { return object; }
    // A point the table does not hold, the null point included, gets an empty list that stays.
    MappedPolygonList &polygonsAt(LWPntID point) { return lists[point]; }
    std::size_t pointCount() const { return lists.size(); }

    // Two scans of the object's polygons: the first counts each point's polygon references, so
    // that each array is allocated once at its exact size; the second fills the arrays. False
    // when a scan had to be stopped.
    bool build(LWMeshInfo &accessor);

  private:
    struct Scan {
        LWMeshInfo &accessor;
        PointMapAdjacencyCache &cache;
        bool stopped = false;
    };
    static std::size_t countPass(void *scan, LWPolID polygon);
    static std::size_t fillPass(void *scan, LWPolID polygon);

    PointMap lists;
    LWItemID object;
};

template <typename PointMap>
bool PointMapAdjacencyCache<PointMap>::build(LWMeshInfo &accessor) {
    Scan scan{accessor, *this};
    accessor.scanPolys(&accessor, countPass, &scan);
    if (scan.stopped) return false;
    for (auto &[point, list] : lists) {
        list.polygons.reset(list.count > 0 ? new LWPolID[list.count] : nullptr);
        list.filled = 0;
    }
    accessor.scanPolys(&accessor, fillPass, &scan);
    if (scan.stopped) return false;
    for (auto &[point, list] : lists) list.count = list.filled;
    return true;
}

template <typename PointMap>
std::size_t PointMapAdjacencyCache<PointMap>::countPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    return GuardedScanStep(scan.stopped, [&] {
        int corners = scan.accessor.polSize(&scan.accessor, polygon);
        for (int corner = 0; corner < corners; ++corner)
            ++scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner)).count;
    });
}

template <typename PointMap>
std::size_t PointMapAdjacencyCache<PointMap>::fillPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    return GuardedScanStep(scan.stopped, [&] {
        int corners = scan.accessor.polSize(&scan.accessor, polygon);
        for (int corner = 0; corner < corners; ++corner) {
            MappedPolygonList &list =
                scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner));
            if (list.filled < list.count) list.polygons[list.filled++] = polygon;
        }
    });
}
