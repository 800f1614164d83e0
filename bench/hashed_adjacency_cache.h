// The adjacency cache over a node-per-point hash map: the table the module shipped before its
// flat one, the baseline the flat table is measured against.
#pragma once

#include <unordered_map>

#include "bench/point_map_adjacency_cache.h"

using HashedPointMap = std::unordered_map<LWPntID, MappedPolygonList>;
using HashedAdjacencyCache = PointMapAdjacencyCache<HashedPointMap>;
