#include "host/scene/set_name_pattern.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(SetNamePattern, StarTakesAnyRunAndQuestionMarkOneCharacter) {
    SetNamePattern chamfers("Chamfer*");
    EXPECT_TRUE(chamfers.matches("Chamfer"));
    EXPECT_TRUE(chamfers.matches("Chamfer 12"));
    EXPECT_FALSE(chamfers.matches("chamfer 12"));
    EXPECT_FALSE(chamfers.matches("Big Chamfer"));
    SetNamePattern middle("*a?c*");
    EXPECT_TRUE(middle.matches("abc"));
    EXPECT_TRUE(middle.matches("xxaxcyy"));
    EXPECT_TRUE(middle.matches("aac"));
    EXPECT_FALSE(middle.matches("ac"));
    EXPECT_FALSE(middle.matches("abbc"));
    EXPECT_TRUE(SetNamePattern("*").matches(""));
    EXPECT_TRUE(SetNamePattern("a*b*c").matches("abbbcbc"));
    EXPECT_FALSE(SetNamePattern("a*b*c").matches("abbbcb"));
    EXPECT_FALSE(SetNamePattern("?").matches(""));
    EXPECT_EQ(chamfers.literal(), std::nullopt);
}

TEST(SetNamePattern, ABackslashTakesTheNextCharacterAsItIs) {
    SetNamePattern star("Part\\*");
    EXPECT_TRUE(star.matches("Part*"));
    EXPECT_FALSE(star.matches("Part1"));
    EXPECT_EQ(star.literal(), "Part*");
    EXPECT_EQ(SetNamePattern("a\\\\b").literal(), "a\\b");
    EXPECT_EQ(SetNamePattern("Part:1").literal(), "Part:1");
    SetNamePattern escapedInGlob("Part\\?*");
    EXPECT_TRUE(escapedInGlob.matches("Part?1"));
    EXPECT_FALSE(escapedInGlob.matches("PartX1"));
    EXPECT_THROW(SetNamePattern("Part\\"), std::invalid_argument);
}

TEST(SetNamePattern, ANameMadeIntoAPatternAddressesThatSetAlone) {
    for (std::string name : {"Part", "Part*", "a?b", "back\\slash\\", "*"}) {
        SetNamePattern pattern(PatternForName(name));
        EXPECT_EQ(pattern.literal(), name);
        EXPECT_TRUE(pattern.matches(name));
    }
}

}  // namespace
