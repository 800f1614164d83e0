// A picture of the polygon sets: each set in its own hue over the host's shading, dark lines
// where sets meet and faint ones where polygons meet, so that creases can be told from seams.
#pragma once

#include "host/render/image.h"
#include "host/render/renderer.h"

namespace render {

// Distinct, soft hues for sets 0, 1, 2, ...; -1 (no set) is a light grey.
Rgb8 SetColour(int set);

Image PolygonSetMap(const Frame &frame);

}  // namespace render
