#include "host/render/comparison.h"

#include <gtest/gtest.h>

#include <set>

#include "host/render/difference_map.h"
#include "host/render/set_map.h"
#include "host/scene/mesh_generators.h"

namespace render {
namespace {

Frame CylinderFrame() {
    RenderSettings settings;
    settings.width = 80;
    settings.height = 60;
    settings.samplesPerPixel = 1;
    return Render(MakeObjectItem("cylinder", MakeTwoSetCylinder(8, 1, 1.5f)), settings, {});
}

TEST(Comparison, SetColoursAreDistinct) {
    std::set<std::tuple<int, int, int>> colours;
    for (int place = -1; place < SetColoursApart; ++place) {
        Rgb8 c = SetColour(place);
        colours.insert({c.r, c.g, c.b});
    }
    EXPECT_EQ(colours.size(), SetColoursApart + 1u);
}

TEST(Comparison, SetMapTintsEachSetAndDarkensWhereSetsMeet) {
    Frame frame = CylinderFrame();
    Image map = PolygonSetMap(frame, {0, 1});
    int darkBorders = 0, tintedBySet[2] = {0, 0};
    for (int y = 0; y + 1 < map.height; ++y)
        for (int x = 0; x + 1 < map.width; ++x) {
            int polygon = frame.polygonAt[y * map.width + x];
            if (polygon < 0) {
                EXPECT_EQ(map.at(x, y), frame.host.at(x, y));
                continue;
            }
            int set = frame.sets.setOf[polygon];
            Rgb8 hue = SetColour(set), pixel = map.at(x, y);
            int below = frame.polygonAt[(y + 1) * map.width + x];
            bool setBorder = below >= 0 && frame.sets.setOf[below] != set;
            if (setBorder && pixel.r + pixel.g + pixel.b < 150) ++darkBorders;
            // The hue's strongest channel stays the pixel's strongest.
            bool redLeads = hue.r >= hue.g && hue.r >= hue.b;
            if (!setBorder && redLeads == (pixel.r >= pixel.g && pixel.r >= pixel.b))
                ++tintedBySet[set];
        }
    EXPECT_GT(darkBorders, 10);
    EXPECT_GT(tintedBySet[0], 100);
    EXPECT_GT(tintedBySet[1], 100);
}

TEST(Comparison, SheetHoldsFourPanelsUnderCaptionsAndAKey) {
    Frame frame = CylinderFrame();
    Image sheet = ComparisonImage(frame, {});
    EXPECT_EQ(sheet.width, 2 * 80 + 3 * 8);
    EXPECT_GT(sheet.height, 2 * (60 + 2 * 8) + 8);
    // The panels appear unchanged side by side, below the captions.
    auto panelsAt = [&](int top) {
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                if (!(sheet.at(8 + x, top + y) == frame.host.at(x, y)) ||
                    !(sheet.at(8 + 88 + x, top + y) == frame.shaded.at(x, y)))
                    return false;
        return true;
    };
    int top = 1;
    while (top + 60 < sheet.height && !panelsAt(top)) ++top;
    ASSERT_LT(top + 60, sheet.height);
    // Letters are light on the dark paper, their edges blended into it.
    auto inked = [&](int y0, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < sheet.width; ++x) count += sheet.at(x, y).g > 150;
        return count;
    };
    EXPECT_GT(inked(0, top), 50);  // captions
    // Below the first row, the difference map and the set map side by side, then their keys.
    int second = 2 * top + 60;
    ASSERT_LT(second + 60, sheet.height);
    EXPECT_EQ(sheet.at(8 + 40, second + 30), DifferenceMap(frame).at(40, 30));
    EXPECT_EQ(sheet.at(8 + 88 + 40, second + 30), PolygonSetMap(frame, {0, 1}).at(40, 30));
    EXPECT_GT(inked(second + 60, sheet.height), 20);  // the scale's angles and the legend
}

TEST(Comparison, TheSetMapColoursEachSetAsTheLegendPlacesIt) {
    Frame frame = CylinderFrame();
    ComparisonLabels labels;
    labels.setLabels = {{"first: off", false}, {"second: smoothed", true}};
    Image sheet = ComparisonImage(frame, labels);
    Image placed = PolygonSetMap(frame, {1, 0}), numbered = PolygonSetMap(frame, {0, 1});
    ASSERT_FALSE(placed == numbered);
    auto rowOf = [](const Image &map, int y) {
        std::vector<Rgb8> row;
        for (int x = 0; x < map.width; ++x) row.push_back(map.at(x, y));
        return row;
    };
    int y = 0;
    while (rowOf(placed, y) == rowOf(numbered, y)) ++y;
    // The map is the lower right panel: find it by a row where the colourings differ.
    auto mapAt = [&](const Image &map, int top) {
        for (int x = 0; x < 80; ++x)
            if (!(sheet.at(8 + 88 + x, top) == map.at(x, y))) return false;
        return true;
    };
    int row = 0;
    while (row < sheet.height && !mapAt(placed, row)) ++row;
    EXPECT_LT(row, sheet.height);
    for (int top = 0; top < sheet.height; ++top) EXPECT_FALSE(mapAt(numbered, top)) << top;
}

TEST(Comparison, ALegendOfThousandsOfSetsStopsAfterAFewRows) {
    Frame frame = CylinderFrame();
    Image few = ComparisonImage(frame, {});
    auto addSets = [&](int count) {
        for (int set = 0; set < count; ++set)
            frame.sets.names.push_back("Set " + std::to_string(frame.sets.names.size()));
    };
    addSets(5000);
    Image many = ComparisonImage(frame, {});
    addSets(45000);
    Image more = ComparisonImage(frame, {});
    EXPECT_EQ(many.width, few.width);
    EXPECT_GT(many.height, few.height);
    EXPECT_EQ(more.height, many.height);
}

}  // namespace
}  // namespace render
