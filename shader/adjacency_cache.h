// Per object, a table from every point to the polygons that use it, built once per render so that
// finding a vertex's neighbours costs one lookup instead of a scan of the mesh. Topology only:
// positions and normals are always read afresh. Every operation runs under ShaderLock, taken by
// the caller.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "hostapi/lwmeshes.h"
#include "shader/polygon_list.h"

// Points ordered by their unsigned value.
struct PointOrder {
    bool operator()(LWPntID a, LWPntID b) const {
        return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
    }
};
using OrderedPointMap = std::map<LWPntID, PolygonList, PointOrder>;
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
    // that each array is allocated once at its exact size; the second fills the arrays.
    void build(LWMeshInfo &accessor);

  private:
    struct Scan {
        LWMeshInfo &accessor;
        BasicAdjacencyCache &cache;
    };
    static int countPass(void *scan, LWPolID polygon);
    static int fillPass(void *scan, LWPolID polygon);

    PointMap lists;
    LWItemID object;
};

// The cache of the shipped module; the ordered map is kept as the baseline it is measured against.
using AdjacencyCache = BasicAdjacencyCache<HashedPointMap>;
using OrderedAdjacencyCache = BasicAdjacencyCache<OrderedPointMap>;

class AdjacencyCacheList {
  public:
    AdjacencyCacheList() = default;
    virtual ~AdjacencyCacheList() = default;
    AdjacencyCacheList(const AdjacencyCacheList &) = delete;
    AdjacencyCacheList &operator=(const AdjacencyCacheList &) = delete;

    // The cache of `object`, built from `accessor` and appended when the list has none.
    AdjacencyCache &findOrBuild(LWMeshInfo &accessor, LWItemID object);
    // Destroys every cache; the storage of the list stays for the next render.
    void clear() { caches.clear(); }
    std::size_t size() const { return caches.size(); }

  private:
    std::vector<std::unique_ptr<AdjacencyCache>> caches;
};

template <typename PointMap>
void BasicAdjacencyCache<PointMap>::build(LWMeshInfo &accessor) {
    Scan scan{accessor, *this};
    accessor.scanPolys(&accessor, countPass, &scan);
    for (auto &[point, list] : lists) {
        list.polygons.reset(list.count > 0 ? new LWPolID[list.count] : nullptr);
        list.filled = 0;
    }
    accessor.scanPolys(&accessor, fillPass, &scan);
}

template <typename PointMap>
int BasicAdjacencyCache<PointMap>::countPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    int corners = scan.accessor.polSize(&scan.accessor, polygon);
    for (int corner = 0; corner < corners; ++corner)
        ++scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner)).count;
    return 0;
}

template <typename PointMap>
int BasicAdjacencyCache<PointMap>::fillPass(void *context, LWPolID polygon) {
    auto &scan = *static_cast<Scan *>(context);
    int corners = scan.accessor.polSize(&scan.accessor, polygon);
    for (int corner = 0; corner < corners; ++corner) {
        PolygonList &list =
            scan.cache.polygonsAt(scan.accessor.polVertex(&scan.accessor, polygon, corner));
        // A host whose second scan shows more corners than its first must not make us write
        // past an array.
        if (list.filled < list.count) list.polygons[list.filled++] = polygon;
    }
    return 0;
}
