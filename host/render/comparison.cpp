#include "host/render/comparison.h"

#include <algorithm>

#include "host/render/caption_text.h"
#include "host/render/difference_map.h"
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
int PlaceLegend(const std::vector<LegendEntry> &legend, int left, int top, int width, int size,
                Image *image) {
    int textHeight = TextHeight(size), gap = size / 2;
    int line = textHeight + gap;
    int swatch = textHeight * 2 / 3;
    int x = left, y = top, row = 0;
    for (std::size_t e = 0; e < legend.size(); ++e) {
        const LegendEntry &entry = legend[e];
        int entryWidth = swatch + gap + TextWidth(entry.label, size);
        if (x > left && x + entryWidth > left + width) {
            x = left;
            y += line;
            if (++row == MostLegendRows - 1) {
                if (image)
                    DrawText(*image, x, y,
                             "and " + std::to_string(legend.size() - e) + " more sets", Ink, size);
                break;
            }
        }
        if (image) {
            int swatchTop = y + (textHeight - swatch) / 2;
            image->fillRect(x, swatchTop, x + swatch, swatchTop + swatch, entry.colour);
            DrawText(*image, x + swatch + gap, y, entry.label, Ink, size);
        }
        x += entryWidth + 2 * size;
    }
    return legend.empty() ? 0 : y - top + line;
}

// The difference map's key: a bar of its colours over `width` with the angles marked under it.
// Returns the height used; draws only when `image` is given.
int PlaceDifferenceScale(int left, int top, int width, int size, Image *image) {
    int bar = TextHeight(size) * 2 / 3, tick = size / 3;
    int height = bar + tick + TextHeight(size);
    if (!image) return height;
    for (int x = 0; x < width; ++x)
        image->fillRect(left + x, top, left + x + 1, top + bar,
                        DifferenceColour(DifferenceScaleDegrees * x / std::max(width - 1, 1)));
    // Marks at every 10 degrees where their labels fit, else at the ends only.
    int marks = width >= 6 * TextWidth(
                                 "\xE2\x89\xA5"
                                 "30\xC2\xB0",
                                 size)
                    ? 3
                    : 1;
    for (int mark = 0; mark <= marks; ++mark) {
        int degrees = static_cast<int>(DifferenceScaleDegrees) * mark / marks;
        std::string label =
            (mark == marks ? "\xE2\x89\xA5" : "") + std::to_string(degrees) + "\xC2\xB0";
        int x = left + (width - 1) * mark / marks;
        image->fillRect(x, top + bar, x + 1, top + bar + tick, Ink);
        int labelWidth = TextWidth(label, size);
        int labelLeft = std::clamp(x - labelWidth / 2, left, left + width - labelWidth);
        DrawText(*image, labelLeft, top + bar + tick, label, Ink, size);
    }
    return height;
}

}  // namespace

Image ComparisonImage(const Frame &frame, const ComparisonLabels &labels) {
    const Image difference = DifferenceMap(frame);
    const Image map = PolygonSetMap(frame);
    const Image *panels[] = {&frame.host, &frame.shaded, &difference, &map};
    const std::string *captions[] = {&labels.host, &labels.shaded, &labels.difference,
                                     &labels.sets};
    int panelWidth = frame.host.width, panelHeight = frame.host.height;
    // The largest text, from 8 to 16 pixels, whose captions fit over their panels; what still
    // does not fit is cut at the panel's edge.
    int size = 16;
    while (size > 8 &&
           std::any_of(std::begin(captions), std::end(captions),
                       [&](const std::string *c) { return TextWidth(*c, size) > panelWidth; }))
        --size;
    int captionHeight = TextHeight(size) + 2 * Margin;
    int rowHeight = captionHeight + panelHeight;

    int width = 2 * panelWidth + 3 * Margin;
    std::vector<LegendEntry> legend = Legend(frame, labels);
    int keyHeight = std::max(PlaceDifferenceScale(0, 0, panelWidth, size, nullptr),
                             PlaceLegend(legend, 0, 0, panelWidth, size, nullptr));
    int height = 2 * rowHeight + 2 * Margin + keyHeight;

    Image sheet(width, height, Paper);
    for (int i = 0; i < 4; ++i) {
        int left = Margin + (i % 2) * (panelWidth + Margin), top = (i / 2) * rowHeight;
        Image caption(panelWidth, TextHeight(size), Paper);
        DrawText(caption, 0, 0, *captions[i], Ink, size);
        sheet.paste(caption, left, top + Margin);
        sheet.paste(*panels[i], left, top + captionHeight);
    }
    int keyTop = 2 * rowHeight + Margin;
    PlaceDifferenceScale(Margin, keyTop, panelWidth, size, &sheet);
    PlaceLegend(legend, 2 * Margin + panelWidth, keyTop, panelWidth, size, &sheet);
    return sheet;
}

}  // namespace render
