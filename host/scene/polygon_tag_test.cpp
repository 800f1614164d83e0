#include "host/scene/polygon_tag.h"

#include <gtest/gtest.h>

namespace {

TEST(PolygonTag, CopiesShareOneTextAndCompareByText) {
    PolygonTag arm("Arm");
    PolygonTag copy = arm;
    EXPECT_EQ(&*copy, &*arm);
    EXPECT_EQ(copy, PolygonTag(std::string("Arm")));
    EXPECT_EQ(arm, "Arm");
    EXPECT_FALSE(arm == "Leg");
    EXPECT_FALSE(arm == PolygonTag());
    EXPECT_EQ(arm.value_or("none"), "Arm");
}

// An absent tag is no text at all, not an empty one, whichever side of a comparison it is on:
// std::optional's own comparison with a value would call two absent tags different.
TEST(PolygonTag, AnAbsentTagEqualsOnlyAnAbsentOne) {
    PolygonTag none;
    std::optional<std::string> nothing, empty = "";
    EXPECT_EQ(none, std::nullopt);
    EXPECT_TRUE(none == nothing);
    EXPECT_TRUE(nothing == none);
    EXPECT_FALSE(none != nothing);
    EXPECT_FALSE(none == empty);
    EXPECT_FALSE(none == "");
    EXPECT_TRUE(PolygonTag("") == empty);
    EXPECT_EQ(none.value_or("none"), "none");
    EXPECT_EQ(std::optional<std::string>(PolygonTag("Arm")), "Arm");
}

}  // namespace
