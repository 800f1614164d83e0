#include "tools/velmora/part_replacements.h"

#include <gtest/gtest.h>

namespace {

TEST(PartReplacements, SaysWhichPartBecameWhichSets) {
    std::vector<PolygonTag> before = {"Body", "Body", "Body", "Trim", std::nullopt, "Kept"};
    std::vector<PolygonTag> after = {"Skin", "Skin", "smoothing 1", "Skin", "Skin", "Kept"};
    EXPECT_EQ(PartReplacements(before, after),
              (std::vector<std::string>{
                  "part \"Body\" (3 polygons) is now \"Skin\" (2), \"smoothing 1\" (1)",
                  "part \"Trim\" (1 polygon) is now \"Skin\" (1)",
                  "no part (1 polygon) is now \"Skin\" (1)"}));
}

TEST(PartReplacements, SaysNothingWhenEveryPolygonKeepsItsPart) {
    std::vector<PolygonTag> parts = {"A", std::nullopt, "B"};
    EXPECT_TRUE(PartReplacements(parts, parts).empty());
}

TEST(PartReplacements, NamesPartsThatLoseTheirSet) {
    EXPECT_EQ(PartReplacements({"A", "A"}, {std::nullopt, "A"}),
              std::vector<std::string>{"part \"A\" (2 polygons) is now no part (1), \"A\" (1)"});
}

}  // namespace
