// What `apply --sets-from` did to the object's parts, in words for the user: the file's own part
// names give way to the sets made for the run, and a user must be able to see which became which.
#pragma once

#include <string>
#include <vector>

#include "host/scene/polygon_tag.h"

// One line per part of `before` (in order of first use, then polygons without a part) whose
// polygons now have another part: `part "Body" (120 polygons) is now "Skin" (100),
// "smoothing 1" (20)`. Polygons that keep their part are not mentioned; `before` and `after`
// give each polygon its part, in order, and are as long as each other.
std::vector<std::string> PartReplacements(const std::vector<PolygonTag> &before,
                                          const std::vector<PolygonTag> &after);
