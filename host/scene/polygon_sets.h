// The polygon sets of a mesh, or of one surface of it: the distinct PART tags in order of first
// use, with how many polygons each holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"

struct PolygonSets {
    std::vector<std::string> names;
    std::vector<int> polygonCounts;  // per set
    // Per polygon of the mesh, an index into `names`, or -1 for no PART tag or another surface.
    std::vector<int> setOf;

    bool holds(const std::string &name) const;
};

// With `surface`, only the polygons of that surface count.
PolygonSets CollectPolygonSets(const MeshData &mesh,
                               const std::optional<std::string> &surface = std::nullopt);
