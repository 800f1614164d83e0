// The polygon sets of a mesh: the distinct PART tags in order of first use.
#pragma once

#include <string>
#include <vector>

#include "host/scene/scene.h"

namespace render {

struct PolygonSets {
    std::vector<std::string> names;
    std::vector<int> setOf;  // per polygon, an index into `names`, or -1 for no PART tag
};

PolygonSets CollectPolygonSets(const MeshData &mesh);

}  // namespace render
