#include "host/scene/quoted_list.h"

#include <gtest/gtest.h>

namespace {

TEST(QuotedName, EscapesAndCutsALongName) {
    EXPECT_EQ(QuotedName("Lid\n"), "\"Lid\\n\"");
    EXPECT_EQ(QuotedName(std::string(100, 'n'), 4), "\"nnnn...\" (100 bytes)");
    EXPECT_EQ(QuotedName("Caf\xC3\xA9 noir", 4), "\"Caf...\" (10 bytes)");
    EXPECT_EQ(QuotedName("Caf\xE9 noir", 4), "\"Caf\xE9...\" (9 bytes)");
}

TEST(QuotedList, CutsALongListWithACount) {
    EXPECT_EQ(QuotedList({}), "");
    EXPECT_EQ(QuotedList({"Lid", "Rim"}), "\"Lid\", \"Rim\"");
    std::vector<std::string> many(4892, "Set");
    EXPECT_EQ(QuotedList(many, 2), "\"Set\", \"Set\" and 4,890 more");
}

TEST(AndMore, GroupsDigitsByThousands) {
    EXPECT_EQ(AndMore(7), "and 7 more");
    EXPECT_EQ(AndMore(1000), "and 1,000 more");
    EXPECT_EQ(AndMore(1234567), "and 1,234,567 more");
}

}  // namespace
