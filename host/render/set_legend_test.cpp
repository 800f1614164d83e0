#include "host/render/set_legend.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host/render/caption_text.h"
#include "host/render/set_map.h"

namespace render {
namespace {

constexpr int Size = 12, Rows = 4;

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int set = 0; set < count; ++set) names.push_back("Set " + std::to_string(set));
    return names;
}

// Sets 30 to 33 of 34 smoothed, as on an object whose enabled sets come last by name.
std::vector<SetLabel> MostlyOff(const std::vector<std::string> &names) {
    std::vector<SetLabel> labels;
    for (std::size_t set = 0; set < names.size(); ++set)
        labels.push_back({names[set] + (set >= 30 ? ": smoothed 30\xC2\xB0" : ": off"), set >= 30});
    return labels;
}

TEST(SetLegend, PlacesTheSmoothedSetsFirst) {
    std::vector<SetLabel> labels = {{"a", false}, {"b", true}, {"c", false}, {"d", true}};
    EXPECT_EQ(LegendPlaces(5, labels), (std::vector<int>{2, 0, 3, 1, 4}));
}

TEST(SetLegend, ListsTheSmoothedSetsFirstThenCountsTheRestAndExplainsTheGrey) {
    std::vector<std::string> names = Names(34);
    for (int width : {300, 600}) {
        LegendLayout layout = LayOutLegend(names, MostlyOff(names), true, width, Size, Rows);
        ASSERT_GE(layout.entries.size(), 4u);
        std::size_t listed = layout.entries.size() - 2;
        for (std::size_t place = 0; place < listed; ++place)
            EXPECT_EQ(layout.entries[place].text,
                      place < 4 ? "Set " + std::to_string(30 + place) + ": smoothed 30\xC2\xB0"
                                : "Set " + std::to_string(place - 4) + ": off");
        const LegendEntry &more = layout.entries[listed];
        EXPECT_EQ(more.text, "and " + std::to_string(34 - listed) + " more sets");
        EXPECT_FALSE(more.swatch);
        EXPECT_EQ(layout.entries.back().text, "no set: host smoothing");
        EXPECT_EQ(layout.entries.back().swatch, SetColour(-1));
        int line = TextHeight(Size) + Size / 2;
        EXPECT_LE(layout.entries.back().y, (Rows - 1) * line);
        EXPECT_EQ(layout.height, layout.entries.back().y + line);
    }
}

TEST(SetLegend, SaysOneMoreSetInTheSingular) {
    std::vector<std::string> names = Names(5);
    names.push_back(std::string(300, 'W'));
    LegendLayout layout = LayOutLegend(names, {}, false, 600, Size, 1);
    ASSERT_EQ(layout.entries.size(), 6u);
    EXPECT_EQ(layout.entries.back().text, "and 1 more set");
    layout = LayOutLegend(names, {}, false, 330, Size, 1);
    EXPECT_TRUE(layout.entries.back().text.ends_with(" more sets")) << layout.entries.back().text;
}

double Distance(Rgb8 a, Rgb8 b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

TEST(SetLegend, NoTwoListedSetsShareAColour) {
    std::vector<std::string> names = Names(SetColoursApart);
    LegendLayout layout = LayOutLegend(names, {}, true, 4000, Size, Rows);
    ASSERT_EQ(layout.entries.size(), names.size() + 1);
    for (std::size_t a = 0; a < layout.entries.size(); ++a)
        for (std::size_t b = a + 1; b < layout.entries.size(); ++b)
            EXPECT_GT(Distance(*layout.entries[a].swatch, *layout.entries[b].swatch), 40)
                << layout.entries[a].text << " and " << layout.entries[b].text;
}

TEST(SetLegend, CutsALongNameWithAnEllipsisInsideTheLegend) {
    std::vector<std::string> names = {std::string(200, 'W') + " the end"};
    LegendLayout layout = LayOutLegend(names, {}, false, 160, Size, Rows);
    ASSERT_EQ(layout.entries.size(), 1u);
    const std::string &text = layout.entries[0].text;
    EXPECT_TRUE(text.starts_with("WWW"));
    EXPECT_TRUE(text.ends_with("\xE2\x80\xA6"));
    int swatch = TextHeight(Size) * 2 / 3;
    EXPECT_LE(swatch + Size / 2 + TextWidth(text, Size), 160);
    EXPECT_GT(swatch + Size / 2 + TextWidth(text + "W", Size), 160 - TextWidth("W", Size));
}

TEST(SetLegend, IsEmptyWithoutSetsOrUnsetPolygons) {
    EXPECT_TRUE(LayOutLegend({}, {}, false, 300, Size, Rows).entries.empty());
    EXPECT_EQ(LayOutLegend({}, {}, false, 300, Size, Rows).height, 0);
}

}  // namespace
}  // namespace render
