// Polygon sets made from what an object already has, for objects whose polygons carry no PART
// tags: most objects brought from other packages. The sets replace the polygons' PART tags.
#pragma once

#include <optional>
#include <string>

#include "host/scene/scene.h"

enum class PolygonSetSource {
    surfaces,         // one set per surface, named after it
    groups,           // the OBJ `g`/`o` groups, which an OBJ object's PART tags already are
    smoothingGroups,  // a polygon of smoothing group N joins "smoothing N"; group 0 joins none
};

// The words a user names the sources by: "surfaces", "groups", "smoothing-groups".
std::optional<PolygonSetSource> PolygonSetSourceNamed(const std::string &word);

// The set a polygon of smoothing group `group` (not 0) joins.
std::string SmoothingGroupSetName(std::uint32_t group);

// Gives every polygon the set `source` makes of it, or none.
void MakePolygonSets(MeshData &mesh, PolygonSetSource source);
