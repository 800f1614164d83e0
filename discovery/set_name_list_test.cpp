#include "discovery/set_name_list.h"

#include <gtest/gtest.h>

namespace {

TEST(SetNameList, ContainsComparesWholeNamesExactly) {
    SetNameList list;
    list.names = {"Top", "", "Side"};
    EXPECT_TRUE(ContainsName(list, "Top"));
    EXPECT_TRUE(ContainsName(list, ""));
    EXPECT_FALSE(ContainsName(list, "top"));
    EXPECT_FALSE(ContainsName(list, "Sid"));
    EXPECT_FALSE(ContainsName(list, "Sides"));
    EXPECT_FALSE(ContainsName(SetNameList(), ""));
}

}  // namespace
