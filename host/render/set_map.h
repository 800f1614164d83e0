// A picture of the polygon sets: each set in its own hue over the host's shading, dark lines
// where sets meet and faint ones where polygons meet, so that creases can be told from seams.
#pragma once

#include <vector>

#include "host/render/image.h"
#include "host/render/renderer.h"

namespace render {

// The colour of the set at `place` 0, 1, 2... in the legend's order: soft colours of which the
// first SetColoursApart differ from each other and from the grey of -1 (no set) at a glance;
// later places repeat them.
constexpr int SetColoursApart = 24;
Rgb8 SetColour(int place);

// Each set coloured as its place in the legend: `placeOf` gives it per set of the frame.
Image PolygonSetMap(const Frame &frame, const std::vector<int> &placeOf);

}  // namespace render
