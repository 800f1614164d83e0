#include "sets/union_find.h"

#include <gtest/gtest.h>

namespace {

TEST(UnionFind, EachMemberStartsAlone) {
    UnionFind groups(3);
    for (int member = 0; member < 3; ++member) EXPECT_EQ(groups.find(member), member);
}

TEST(UnionFind, AGroupIsNamedByItsLeastMemberWhateverTheOrderOfJoins) {
    UnionFind forwards(6), backwards(6);
    for (int member = 1; member < 5; ++member) forwards.join(member, member + 1);
    for (int member = 5; member > 1; --member) backwards.join(member, member - 1);
    for (int member = 1; member < 6; ++member) {
        EXPECT_EQ(forwards.find(member), 1) << member;
        EXPECT_EQ(backwards.find(member), 1) << member;
    }
    EXPECT_EQ(forwards.find(0), 0);
    EXPECT_EQ(backwards.find(0), 0);
}

TEST(UnionFind, JoiningTwoGroupsJoinsAllTheirMembers) {
    UnionFind groups(6);
    groups.join(5, 3);
    groups.join(4, 2);
    groups.join(3, 4);
    for (int member : {3, 4, 5}) EXPECT_EQ(groups.find(member), 2) << member;
    groups.join(2, 2);
    EXPECT_EQ(groups.find(2), 2);
    EXPECT_EQ(groups.find(1), 1);
}

}  // namespace
