#include "shader/adjacency_cache.h"

AdjacencyCache &AdjacencyCacheList::findOrBuild(LWMeshInfo &accessor, LWItemID object) {
    for (const auto &cache : caches)
        if (cache->objectID() == object) return *cache;
    auto built = std::make_unique<AdjacencyCache>(object);
    built->build(accessor);
    caches.push_back(std::move(built));
    return *caches.back();
}
