// One picture that puts a render's views in a grid under captions: the host's shading beside the
// shader's, and below them how far the shader turned the host's normals (with its scale in
// degrees) beside the map of the polygon sets (with their legend).
#pragma once

#include <string>
#include <vector>

#include "host/render/image.h"
#include "host/render/renderer.h"
#include "host/render/set_legend.h"

namespace render {

struct ComparisonLabels {
    std::string host = "Host shading";
    std::string shaded = "With shader";
    std::string difference = "Angle between the normals";
    std::string sets = "Polygon sets";
    // Per set of the frame, what the legend says of it; sets beyond the list show their name.
    std::vector<SetLabel> setLabels;
};

Image ComparisonImage(const Frame &frame, const ComparisonLabels &labels);

}  // namespace render
