#include "tools/view/request_origin.h"

#include <gtest/gtest.h>

TEST(RequestOrigin, HostMustNameLoopbackAndPort) {
    EXPECT_TRUE(HostNamesServer("127.0.0.1:8080", 8080));
    EXPECT_TRUE(HostNamesServer("localhost:8080", 8080));
    EXPECT_FALSE(HostNamesServer("127.0.0.1:8081", 8080));
    EXPECT_FALSE(HostNamesServer("127.0.0.1", 8080));
    EXPECT_FALSE(HostNamesServer("evil.example:8080", 8080));
    EXPECT_FALSE(HostNamesServer("127.0.0.1:8080.evil.example", 8080));
    EXPECT_FALSE(HostNamesServer("", 8080));
}

TEST(RequestOrigin, OriginMayBeAbsentButNeverForeign) {
    EXPECT_TRUE(OriginNamesServer(std::nullopt, 80));
    EXPECT_TRUE(OriginNamesServer("http://127.0.0.1:80", 80));
    EXPECT_TRUE(OriginNamesServer("http://localhost:80", 80));
    EXPECT_FALSE(OriginNamesServer("https://127.0.0.1:80", 80));
    EXPECT_FALSE(OriginNamesServer("http://evil.example", 80));
    EXPECT_FALSE(OriginNamesServer("null", 80));
    EXPECT_FALSE(OriginNamesServer("", 80));
}
