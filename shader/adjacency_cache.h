// Per object, a table from every point to the polygons that use it, built once per render so that
// finding a vertex's neighbours costs one lookup instead of a scan of the mesh. Topology only:
// positions and normals are always read afresh. Every operation runs under ShaderLock, taken by
// the caller.
//
// The table is flat: one open-addressing index from point to entry, each entry naming its run of
// one shared array of polygon numbers, which index the table's record of each polygon. A lookup
// touches the index, the run and the records, and a build allocates a handful of arrays however
// large the mesh.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "hostapi/lwmeshes.h"
#include "shader/polygon_list.h"

class AdjacencyCache {
  public:
    explicit AdjacencyCache(LWItemID objectID) : object(objectID) {}
    virtual ~AdjacencyCache() = default;
    AdjacencyCache(const AdjacencyCache &) = delete;
    AdjacencyCache &operator=(const AdjacencyCache &) = delete;

    LWItemID objectID() const { return object; }
    // A point the table does not hold gets an empty list, which stays in the table. The null
    // point is a point like any other: a host may give it for a corner. Valid while the table
    // lives.
    PolygonList polygonsAt(LWPntID point);
    std::size_t pointCount() const { return points; }

    // Two scans of the object's polygons: the first counts each point's polygon references, a
    // prefix sum over the counts places each point's run in one array, and the second records
    // each polygon and fills the runs. False when a scan had to be stopped (memory ran out): the
    // table is then incomplete and unusable.
    bool build(LWMeshInfo &accessor);

  private:
    struct Entry {
        LWPntID point = nullptr;  // null: a free entry
        std::int32_t first = 0;   // the point's run in `polygons`
        std::int32_t count = 0;   // counted corners while building, then the polygons listed
    };
    struct Scan;

    Entry *find(LWPntID point);
    Entry &add(LWPntID point);
    Entry &findOrAdd(LWPntID point);
    std::int32_t roomOf(const Entry &entry) const;
    void reserve(std::size_t pointsToHold);
    void placeRuns();

    std::vector<Entry> entries;  // a power of two in size, at most half in use
    // The null point marks a free entry of the index, so it has an entry of its own.
    Entry nullPoint;
    bool holdsNull = false;
    int bits = 0;
    std::size_t points = 0;
    std::unique_ptr<std::int32_t[]> runs;
    std::size_t listedCount = 0;          // entries of `runs`
    std::vector<ListedPolygon> polygons;  // in the order of the second scan
    LWItemID object;
};

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
