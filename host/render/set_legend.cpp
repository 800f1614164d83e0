#include "host/render/set_legend.h"

#include <algorithm>

#include "host/render/caption_text.h"
#include "host/render/set_map.h"

namespace render {

namespace {

constexpr Rgb8 Ink{225, 225, 225};
constexpr char UnsetText[] = "no set: host smoothing";

// The sizes every entry shares at one text size.
struct Metrics {
    explicit Metrics(int size)
        : size(size), textHeight(TextHeight(size)), gap(size / 2), swatch(textHeight * 2 / 3) {}
    int size, textHeight, gap, swatch;
    int line() const { return textHeight + gap; }
    int spacing() const { return 2 * size; }
};

std::string MoreSets(std::size_t count) {
    return "and " + std::to_string(count) + (count == 1 ? " more set" : " more sets");
}

// Entries laid out left to right in rows of `width`; false when they need more than `rows`.
bool Flow(std::vector<LegendEntry> &entries, const std::vector<int> &widths, int width,
          const Metrics &metrics, int rows) {
    int x = 0, y = 0, row = 0;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        if (x > 0 && x + widths[e] > width) {
            x = 0;
            y += metrics.line();
            if (++row == rows) return false;
        }
        entries[e].x = x;
        entries[e].y = y;
        x += widths[e] + metrics.spacing();
    }
    return true;
}

// The legend's set entries, measured one by one as the layout asks for them: an object may have
// tens of thousands of sets, of which a few rows show.
class SetEntries {
  public:
    SetEntries(const std::vector<std::string> &names, const std::vector<SetLabel> &labels,
               int width, const Metrics &metrics)
        : names(names), labels(labels), width(width), metrics(metrics) {
        std::vector<int> places = LegendPlaces(names.size(), labels);
        order.resize(names.size());
        for (std::size_t set = 0; set < names.size(); ++set) order[places[set]] = int(set);
    }
    std::size_t count() const { return order.size(); }
    const LegendEntry &entry(std::size_t place) {
        while (measured.size() <= place) measure(measured.size());
        return measured[place];
    }
    int widthOf(std::size_t place) {
        entry(place);
        return widths[place];
    }

  private:
    void measure(std::size_t place) {
        std::size_t set = order[place];
        const std::string &text = set < labels.size() ? labels[set].text : names[set];
        int room = std::max(width - metrics.swatch - metrics.gap, 0);
        LegendEntry entry{0, 0, SetColour(int(place)), FittedText(text, metrics.size, room)};
        widths.push_back(metrics.swatch + metrics.gap + TextWidth(entry.text, metrics.size));
        measured.push_back(std::move(entry));
    }

    const std::vector<std::string> &names;
    const std::vector<SetLabel> &labels;
    int width;
    Metrics metrics;
    std::vector<int> order;  // the sets in legend order
    std::vector<LegendEntry> measured;
    std::vector<int> widths;
};

}  // namespace

std::vector<int> LegendPlaces(std::size_t setCount, const std::vector<SetLabel> &labels) {
    std::vector<int> places(setCount);
    int next = 0;
    for (bool smoothed : {true, false})
        for (std::size_t set = 0; set < setCount; ++set)
            if ((set < labels.size() && labels[set].smoothed) == smoothed) places[set] = next++;
    return places;
}

LegendLayout LayOutLegend(const std::vector<std::string> &names,
                          const std::vector<SetLabel> &labels, bool hasUnset, int width, int size,
                          int rows) {
    Metrics metrics(size);
    SetEntries sets(names, labels, width, metrics);
    // The sets that fit by themselves, then fewer until what must follow them fits too: the
    // count of those left out and the grey's explanation.
    std::size_t fitting = 0;
    for (int x = 0, row = 0; fitting < sets.count(); ++fitting) {
        int entryWidth = sets.widthOf(fitting);
        if (x > 0 && x + entryWidth > width) {
            x = 0;
            if (++row == rows) break;
        }
        x += entryWidth + metrics.spacing();
    }
    int room = std::max(width - metrics.swatch - metrics.gap, 0);
    for (std::size_t shown = fitting + 1; shown-- > 0;) {
        std::vector<LegendEntry> entries;
        std::vector<int> widths;
        for (std::size_t place = 0; place < shown; ++place) {
            entries.push_back(sets.entry(place));
            widths.push_back(sets.widthOf(place));
        }
        if (shown < sets.count()) {
            entries.push_back({0, 0, std::nullopt, MoreSets(sets.count() - shown)});
            widths.push_back(TextWidth(entries.back().text, size));
        }
        if (hasUnset) {
            entries.push_back({0, 0, SetColour(-1), FittedText(UnsetText, size, room)});
            widths.push_back(metrics.swatch + metrics.gap + TextWidth(entries.back().text, size));
        }
        if (!Flow(entries, widths, width, metrics, rows)) continue;
        int height = entries.empty() ? 0 : entries.back().y + metrics.line();
        return {std::move(entries), height};
    }
    return {};
}

void DrawLegend(Image &image, int left, int top, const LegendLayout &layout, int size) {
    Metrics metrics(size);
    for (const LegendEntry &entry : layout.entries) {
        int x = left + entry.x, y = top + entry.y;
        if (entry.swatch) {
            int swatchTop = y + (metrics.textHeight - metrics.swatch) / 2;
            image.fillRect(x, swatchTop, x + metrics.swatch, swatchTop + metrics.swatch,
                           *entry.swatch);
            x += metrics.swatch + metrics.gap;
        }
        DrawText(image, x, y, entry.text, Ink, size);
    }
}

}  // namespace render
