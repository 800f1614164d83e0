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

// An object of thousands of sets would otherwise make a legend taller than any screen.
constexpr int MostLegendRows = 4;

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
    const Image map = PolygonSetMap(frame, LegendPlaces(frame.sets.names.size(), labels.setLabels));
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
    bool hasUnset =
        std::find(frame.sets.setOf.begin(), frame.sets.setOf.end(), -1) != frame.sets.setOf.end();
    LegendLayout legend = LayOutLegend(frame.sets.names, labels.setLabels, hasUnset, panelWidth,
                                       size, MostLegendRows);
    int keyHeight = std::max(PlaceDifferenceScale(0, 0, panelWidth, size, nullptr), legend.height);
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
    DrawLegend(sheet, 2 * Margin + panelWidth, keyTop, legend, size);
    return sheet;
}

}  // namespace render
