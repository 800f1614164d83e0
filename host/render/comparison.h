// One picture that puts a render's views side by side under captions, with a legend of the
// polygon sets below: the host's shading, the shader's, and the map of the sets.
#pragma once

#include <string>
#include <vector>

#include "host/render/image.h"
#include "host/render/renderer.h"

namespace render {

struct ComparisonLabels {
    std::string host = "Host shading";
    std::string shaded = "With shader";
    std::string sets = "Polygon sets";
    // Per set of the frame, the legend's text; sets beyond the list show their name.
    std::vector<std::string> setLabels;
};

Image ComparisonImage(const Frame &frame, const ComparisonLabels &labels);

}  // namespace render
