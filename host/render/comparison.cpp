#include "host/render/comparison.h"

#include <algorithm>

#include "host/render/caption_text.h"
#include "host/render/set_map.h"

namespace render {

namespace {

constexpr Rgb8 Paper{32, 32, 34};
constexpr Rgb8 Ink{225, 225, 225};
constexpr int Margin = 8;

struct LegendEntry {
    Rgb8 colour;
    std::string label;
};

std::vector<LegendEntry> Legend(const Frame &frame, const ComparisonLabels &labels) {
    std::vector<LegendEntry> legend;
    for (size_t set = 0; set < frame.sets.names.size(); ++set)
        legend.push_back({SetColour(static_cast<int>(set)), set < labels.setLabels.size()
                                                                ? labels.setLabels[set]
                                                                : frame.sets.names[set]});
    if (std::count(frame.sets.setOf.begin(), frame.sets.setOf.end(), -1) > 0)
        legend.push_back({SetColour(-1), "(no set)"});
    return legend;
}

// An object of thousands of sets would otherwise make a legend taller than any screen.
constexpr int MostLegendRows = 4;

// Lays the legend out in rows that fit `width`, at most MostLegendRows of them: when the entries
// need more, the last row says how many were left out. Returns the height used. Draws only when
// `image` is given, so the same walk measures and paints.
int PlaceLegend(const std::vector<LegendEntry> &legend, int left, int top, int width, int scale,
                Image *image) {
    int line = TextHeight(scale) + 4 * scale;
    int swatch = TextHeight(scale) - scale;
    int x = left, y = top, row = 0;
    for (std::size_t e = 0; e < legend.size(); ++e) {
        const LegendEntry &entry = legend[e];
        int entryWidth = swatch + 3 * scale + TextWidth(entry.label, scale) + 6 * scale;
        if (x > left && x + entryWidth > left + width) {
            x = left;
            y += line;
            if (++row == MostLegendRows - 1) {
                if (image)
                    DrawText(*image, x, y,
                             "and " + std::to_string(legend.size() - e) + " more sets", Ink, scale);
                break;
            }
        }
        if (image) {
            image->fillRect(x, y, x + swatch, y + swatch, entry.colour);
            DrawText(*image, x + swatch + 3 * scale, y, entry.label, Ink, scale);
        }
        x += entryWidth + 4 * scale;
    }
    return legend.empty() ? 0 : y - top + line;
}

}  // namespace

Image ComparisonImage(const Frame &frame, const ComparisonLabels &labels) {
    const Image map = PolygonSetMap(frame);
    const Image *panels[] = {&frame.host, &frame.shaded, &map};
    const std::string *captions[] = {&labels.host, &labels.shaded, &labels.sets};
    int panelWidth = frame.host.width, panelHeight = frame.host.height;
    int scale = panelWidth >= 320 ? 2 : 1;
    int captionHeight = TextHeight(scale) + 2 * Margin;

    int width = 3 * panelWidth + 4 * Margin;
    std::vector<LegendEntry> legend = Legend(frame, labels);
    int legendHeight = PlaceLegend(legend, Margin, 0, width - 2 * Margin, scale, nullptr);
    int height = captionHeight + panelHeight + Margin + (legendHeight ? legendHeight + Margin : 0);

    Image sheet(width, height, Paper);
    for (int i = 0; i < 3; ++i) {
        int left = Margin + i * (panelWidth + Margin);
        DrawText(sheet, left, Margin, *captions[i], Ink, scale);
        sheet.paste(*panels[i], left, captionHeight);
    }
    PlaceLegend(legend, Margin, captionHeight + panelHeight + Margin, width - 2 * Margin, scale,
                &sheet);
    return sheet;
}

}  // namespace render
