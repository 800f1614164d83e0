#include "tools/view/request_origin.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Each case: a header, and whether a request that carries it is served.
TEST(RequestOrigin, HostMustNameLoopbackAndPort) {
    const std::pair<std::string_view, bool> cases[] = {
        {"127.0.0.1:8080", true},
        {"localhost:8080", true},
        {"127.0.0.1:8081", false},
        {"127.0.0.1", false},
        {"evil.example:8080", false},
        {"127.0.0.1:8080.evil.example", false},
        {"", false},
    };
    for (const auto &[host, served] : cases) EXPECT_EQ(HostNamesServer(host, 8080), served) << host;
}

TEST(RequestOrigin, OriginMayBeAbsentButNeverForeign) {
    const std::pair<std::optional<std::string_view>, bool> cases[] = {
        {std::nullopt, true},
        {"http://127.0.0.1:80", true},
        {"http://localhost:80", true},
        {"https://127.0.0.1:80", false},
        {"http://evil.example", false},
        {"null", false},
        {"", false},
    };
    for (const auto &[origin, served] : cases)
        EXPECT_EQ(OriginNamesServer(origin, 80), served) << origin.value_or("(no Origin)");
}

}  // namespace
