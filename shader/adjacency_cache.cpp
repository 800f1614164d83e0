#include "shader/adjacency_cache.h"

#include <limits>
#include <stdexcept>
#include <utility>

#include "module/callback_guard.h"
#include "shader/point_hash.h"

namespace {

constexpr int SmallestBits = 4;

}  // namespace

struct AdjacencyCache::Scan {
    LWMeshInfo &accessor;
    AdjacencyCache &cache;
    std::size_t corners = 0;
    bool stopped = false;

    // Calls `use(point, corner)` for each corner of `polygon`; gives the polygon's corner count.
    template <typename Use>
    int eachCorner(LWPolID polygon, Use use) {
        int size = accessor.polSize(&accessor, polygon);
        for (int corner = 0; corner < size; ++corner)
            use(accessor.polVertex(&accessor, polygon, corner), corner);
        return size;
    }

    static std::size_t CountPass(void *context, LWPolID polygon) {
        auto &scan = *static_cast<Scan *>(context);
        return GuardedScanStep(scan.stopped, [&] {
            scan.eachCorner(polygon, [&](LWPntID point, int) {
                // Runs are placed with 32-bit offsets.
                if (++scan.corners > std::numeric_limits<std::int32_t>::max())
                    throw std::length_error("too many corners for one table");
                ++scan.cache.findOrAdd(point).count;
            });
        });
    }

    static std::size_t FillPass(void *context, LWPolID polygon) {
        auto &scan = *static_cast<Scan *>(context);
        return GuardedScanStep(scan.stopped, [&] {
            AdjacencyCache &cache = scan.cache;
            auto number = static_cast<std::int32_t>(cache.polygons.size());
            ListedPolygon &listed = cache.polygons.emplace_back(ListedPolygon{polygon, {}});
            LWPntID first = nullptr, second = nullptr, last = nullptr;
            int size = scan.eachCorner(polygon, [&](LWPntID point, int corner) {
                if (corner == 0) first = point;
                if (corner == 1) second = point;
                last = point;
                Entry *entry = cache.find(point);
                if (!entry) return;  // a point the first scan never showed
                // A host whose second scan shows more corners than its first must not make us
                // write past a run.
                if (entry->count < cache.roomOf(*entry))
                    cache.runs[entry->first + entry->count++] = number;
            });
            if (size >= 3) listed.normalCorners = {first, second, last};
        });
    }
};

PolygonList AdjacencyCache::polygonsAt(LWPntID point) {
    const Entry *entry = find(point);
    if (!entry) entry = &add(point);
    return {runs.get() + entry->first, entry->count, polygons.data()};
}

bool AdjacencyCache::build(LWMeshInfo &accessor) {
    // The host's counts save growing the arrays; they grow anyway if a count is wrong.
    int expected = accessor.numPoints ? accessor.numPoints(&accessor) : 0;
    reserve(expected > 0 ? static_cast<std::size_t>(expected) : 0);
    int polygonsExpected = accessor.numPolygons ? accessor.numPolygons(&accessor) : 0;
    if (polygonsExpected > 0) polygons.reserve(static_cast<std::size_t>(polygonsExpected));
    Scan scan{accessor, *this};
    accessor.scanPolys(&accessor, Scan::CountPass, &scan);
    if (scan.stopped) return false;
    placeRuns();
    accessor.scanPolys(&accessor, Scan::FillPass, &scan);
    // A host whose second scan shows fewer corners than its first leaves the end of a run
    // unfilled: each entry's count is what was filled.
    return !scan.stopped;
}

// Each entry's run starts where the previous entry's ends, the null point's last; the entries
// count again as the runs fill.
void AdjacencyCache::placeRuns() {
    std::size_t listed = 0;
    auto place = [&](Entry &entry) {
        entry.first = static_cast<std::int32_t>(listed);
        listed += static_cast<std::size_t>(entry.count);
        entry.count = 0;
    };
    for (Entry &entry : entries) place(entry);
    place(nullPoint);
    listedCount = listed;
    runs = std::make_unique_for_overwrite<std::int32_t[]>(listed);
}

// Runs lie in entry order, so a run's room ends where the next entry's starts.
std::int32_t AdjacencyCache::roomOf(const Entry &entry) const {
    std::size_t end = listedCount;
    if (&entry != &nullPoint) {
        std::size_t next = static_cast<std::size_t>(&entry - entries.data()) + 1;
        end = next < entries.size() ? entries[next].first : nullPoint.first;
    }
    return static_cast<std::int32_t>(end) - entry.first;
}

AdjacencyCache::Entry *AdjacencyCache::find(LWPntID point) {
    if (!point) return holdsNull ? &nullPoint : nullptr;
    if (entries.empty()) return nullptr;
    std::size_t mask = entries.size() - 1;
    for (std::size_t index = PointHash(point, bits) & mask;; index = (index + 1) & mask) {
        Entry &entry = entries[index];
        if (entry.point == point) return &entry;
        if (!entry.point) return nullptr;
    }
}

// For a point `find` did not find. Counts it only once it is in, so that a growth that runs out
// of memory leaves the table as it was.
AdjacencyCache::Entry &AdjacencyCache::add(LWPntID point) {
    if (!point) {
        holdsNull = true;
        ++points;
        return nullPoint;
    }
    if ((points + 1) * 2 > entries.size()) reserve(points + 1);
    std::size_t mask = entries.size() - 1;
    std::size_t index = PointHash(point, bits) & mask;
    while (entries[index].point) index = (index + 1) & mask;
    entries[index].point = point;
    ++points;
    return entries[index];
}

AdjacencyCache::Entry &AdjacencyCache::findOrAdd(LWPntID point) {
    Entry *found = find(point);
    return found ? *found : add(point);
}

// Grows the index to hold `pointsToHold` points at most half full, moving every entry.
void AdjacencyCache::reserve(std::size_t pointsToHold) {
    int grown = SmallestBits;
    constexpr int Widest = std::numeric_limits<std::size_t>::digits - 1;
    while (grown < Widest && (std::size_t{1} << grown) / 2 < pointsToHold) ++grown;
    if (grown <= bits) return;
    std::vector<Entry> old = std::exchange(entries, std::vector<Entry>(std::size_t{1} << grown));
    bits = grown;
    std::size_t mask = entries.size() - 1;
    for (const Entry &entry : old) {
        if (!entry.point) continue;
        std::size_t index = PointHash(entry.point, bits) & mask;
        while (entries[index].point) index = (index + 1) & mask;
        entries[index] = entry;
    }
}

AdjacencyCache *AdjacencyCacheList::findOrBuild(LWMeshInfo &accessor, LWItemID object) {
    for (const auto &cache : caches)
        if (cache->objectID() == object) return cache.get();
    auto built = std::make_unique<AdjacencyCache>(object);
    if (!built->build(accessor)) return nullptr;
    caches.push_back(std::move(built));
    return caches.back().get();
}
