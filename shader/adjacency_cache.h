// Per object, a table from every point to the polygons that use it, built once per render so that
// finding a vertex's neighbours costs one lookup instead of a scan of the mesh. Topology only:
// positions and normals are always read afresh. Every operation runs under ShaderLock, taken by
// the caller.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

#include "hostapi/lwmeshes.h"
#include "module/callback_guard.h"
#include "shader/polygon_list.h"

// Nodes keep their address when the table grows, so a list handed out stays valid.
using HashedPointMap = std::unordered_map<LWPntID, PolygonList>;

template <typename PointMap>
class BasicAdjacencyCache {
  public:
    explicit BasicAdjacencyCache(LWItemID objectID) : object(objectID) {}
    virtual ~BasicAdjacencyCache() = default;
    BasicAdjacencyCache(const BasicAdjacencyCache &) = delete;
    BasicAdjacencyCache &operator=(const BasicAdjacencyCache &) = delete;

    LWItemID objectID() const { return object; }
    // A point the table does not hold, the null point included, gets an empty list that stays.
    PolygonList &polygonsAt(LWPntID point) { return lists[point]; }
    std::size_t pointCount() const { return lists.size(); }

    // Two scans of the object's polygons: the first counts each point's polygon references, so
    // that each array is allocated once at its exact size; the second fills the arrays. False
    // when a scan had to be stopped (memory ran out): the table is then incomplete and unusable.
    bool build(LWMeshInfo &accessor);

  private:
    static constexpr std::size_t StopScan = 1;
    struct Scan {
        LWMeshInfo &accessor;
        BasicAdjacencyCache &cache;
        bool stopped = false;
        // Runs one polygon's step as a host callback must: guarded, stopping the scan on failure.
        template <typename Step>
        std::size_t visit(Step step);
    };
    static std::size_t countPass(void *scan, LWPolID polygon);
    static std::size_t fillPass(void *scan, LWPolID polygon);

    PointMap lists;
    LWItemID object;
};

// The cache of the shipped module; benchmarks measure it against other maps.
using AdjacencyCache = BasicAdjacencyCache<HashedPointMap>;

class AdjacencyCacheList {
  public:
    AdjacencyCacheList() = default;
    virtual ~AdjacencyCacheList() = default;
    AdjacencyCacheList(const AdjacencyCacheList &) = delete;
    AdjacencyCacheList &operator=(const AdjacencyCacheList &) = delete;

    // The cache of `object`, built from `accessor` and appended when the list has none; null
    // when it could not be built, and nothing is kept of it.
    AdjacencyCache *findOrBuild(LWMeshInfo &accessor, LWItemID object);
    // Destroys every cache; the storage of the list stays for the next render.
    void clear() { caches.clear(); }
    std::size_t size() const { return caches.size(); }

  private:
    std::vector<std::unique_ptr<AdjacencyCache>> caches;
};

template <typename PointMap>
bool BasicAdjacencyCache<PointMap>::build(LWMeshInfo &accessor) {
    Scan scan{accessor, *this};
    accessor.scanPolys(&accessor, countPass, &scan);
    if (scan.stopped) return false;
    for (auto &[point, list] : lists) {
        list.polygons.reset(list.count > 0 ? new LWPolID[list.count] : nullptr);
        list.filled = 0;
    }
    accessor.scanPolys(&accessor, fillPass, &scan);
    if (scan.stopped) return false;
    // A host whose second scan shows fewer corners than its first leaves the end of an array
    // unfilled: only what was filled is listed.
    for (auto &[point, list] : lists) list.count = list.filled;
    return true;
}

template <typename PointMap>
template <typename Step>
std::size_t BasicAdjacencyCache<PointMap>::Scan::visit(Step step) {
    // The host's frames sit between the scan and us: nothing may be thrown through them, and a
    // host that scans on after being asked to stop is not listened to.
    if (!stopped) {
        stopped = Guarded(StopScan, [&] {
                      step();
                      return std::size_t{0};
                  }) != 0;
    }
    return stopped ? StopScan : 0;
}

template <typename PointMap>
std::size_t BasicAdjacencyCache<PointMap>::countPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    return scan.visit([&] {
        int corners = scan.accessor.polSize(&scan.accessor, polygon);
        for (int corner = 0; corner < corners; ++corner)
            ++scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner)).count;
    });
}

template <typename PointMap>
std::size_t BasicAdjacencyCache<PointMap>::fillPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    return scan.visit([&] {
        int corners = scan.accessor.polSize(&scan.accessor, polygon);
        for (int corner = 0; corner < corners; ++corner) {
            PolygonList &list =
                scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner));
            // A host whose second scan shows more corners than its first must not make us write
            // past an array.
            if (list.filled < list.count) list.polygons[list.filled++] = polygon;
        }
    });
}
