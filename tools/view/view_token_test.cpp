#include "tools/view/view_token.h"

#include <gtest/gtest.h>

#include <set>

TEST(ViewToken, HoldsAtLeast128BitsInUrlSafeCharacters) {
    std::string token = NewViewToken();
    EXPECT_GE(token.size() * 6, 128u);
    EXPECT_EQ(token.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                      "0123456789-_"),
              std::string::npos);
}

TEST(ViewToken, DiffersFromRunToRun) {
    std::set<std::string> tokens;
    for (int run = 0; run < 100; ++run) tokens.insert(NewViewToken());
    EXPECT_EQ(tokens.size(), 100u);
}

TEST(ViewToken, MatchesOnlyItself) {
    EXPECT_TRUE(TokenMatches("abc_-1", "abc_-1"));
    EXPECT_FALSE(TokenMatches("abc_-2", "abc_-1"));
    EXPECT_FALSE(TokenMatches("abc_-", "abc_-1"));
    EXPECT_FALSE(TokenMatches("", "abc_-1"));
}
