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

TEST(SetNamePattern, PiecesBetweenStarsTakeTheirFirstPlace) {
    EXPECT_TRUE(SetNamePattern("*ab*ab*").matches("abab"));
    EXPECT_FALSE(SetNamePattern("*aba*aba").matches("ababa"));
    EXPECT_TRUE(SetNamePattern("*aba*aba").matches("abaaba"));
    EXPECT_TRUE(SetNamePattern("x*?b?*y").matches("xaaabcy"));
    EXPECT_FALSE(SetNamePattern("ab*ba").matches("aba"));
    EXPECT_TRUE(SetNamePattern("**").matches(""));
    // A piece longer than one word of the search's state.
    std::string long_(100, 'a');
    EXPECT_TRUE(SetNamePattern("*" + long_ + "b*").matches("c" + long_ + long_ + "bc"));
    EXPECT_FALSE(SetNamePattern("*" + long_ + "b*").matches(long_ + "a"));
}

// Stars that each could take any run once made matching try every split of the name among them.
TEST(SetNamePattern, AWorstCaseNameAndPatternMatchInOnePass) {
    std::string name(200'000, 'a');
    std::string pattern;
    for (int star = 0; star < 200; ++star) pattern += "*" + std::string(50, 'a');
    EXPECT_FALSE(SetNamePattern(pattern + "b").matches(name));
    EXPECT_TRUE(SetNamePattern(pattern + "*").matches(name));
    EXPECT_FALSE(SetNamePattern("*" + std::string(1000, 'a') + "b*").matches(name));
}

}  // namespace
