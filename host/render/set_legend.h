// The legend under the map of the polygon sets. An object may have dozens of sets and room for a
// few rows, so the legend lists first the sets the shader smooths (those a user came to see),
// then the others, as many as fit; says how many it left out; and always explains the grey of
// polygons without a set. Each listed set has a colour no other listed set has (set_map.h), and a
// label too long for the legend is cut with an ellipsis.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/render/image.h"

namespace render {

// What the legend says of one polygon set.
struct SetLabel {
    std::string text;       // e.g. "Fillets: smoothed 30° within the set"
    bool smoothed = false;  // whether the shader smooths the set
};

// Each set's place in the legend: the smoothed sets in their order, then the others. Sets beyond
// `labels` are not smoothed.
std::vector<int> LegendPlaces(std::size_t setCount, const std::vector<SetLabel> &labels);

struct LegendEntry {
    int x, y;                    // of the swatch's row, from the legend's top left corner
    std::optional<Rgb8> swatch;  // none for the line that counts the sets left out
    std::string text;
};

struct LegendLayout {
    std::vector<LegendEntry> entries;
    int height = 0;
};

// The rows of the legend over `width` pixels at text `size`, at most `rows` of them. `names`
// are the sets' names (their text when `labels` has none), `hasUnset` whether some polygon has
// no set.
LegendLayout LayOutLegend(const std::vector<std::string> &names,
                          const std::vector<SetLabel> &labels, bool hasUnset, int width, int size,
                          int rows);

void DrawLegend(Image &image, int left, int top, const LegendLayout &layout, int size);

}  // namespace render
