#include "shader/adjacency_cache.h"

AdjacencyCache *AdjacencyCacheList::findOrBuild(LWMeshInfo &accessor, LWItemID object) {
    for (const auto &cache : caches)
        if (cache->objectID() == object) return cache.get();
    auto built = std::make_unique<AdjacencyCache>(object);
    if (!built->build(accessor)) return nullptr;
    caches.push_back(std::move(built));
    return caches.back().get();
}
