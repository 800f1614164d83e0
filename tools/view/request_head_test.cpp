#include "tools/view/request_head.h"

#include <gtest/gtest.h>

namespace {

std::string Lines(std::size_t count, const std::string &line) {
    std::string lines;
    for (std::size_t at = 0; at < count; ++at) lines += line;
    return lines;
}

}  // namespace

TEST(RequestHead, EndsAtTheFirstEmptyLineWithinTheLimits) {
    const std::string start = "GET / HTTP/1.1\r\nHost: 127.0.0.1:8080\r\n";
    EXPECT_EQ(JudgeHead(start), HeadState::Arriving);
    EXPECT_EQ(JudgeHead(start + "\r\n"), HeadState::Complete);
    EXPECT_EQ(JudgeHead(start + "\r\n{\"body\": 1}"), HeadState::Complete);
    EXPECT_EQ(JudgeHead(start + Lines(MostHeaderLines - 1, "X-A: b\r\n") + "\r\n"),
              HeadState::Complete);
    EXPECT_EQ(JudgeHead(start + Lines(MostHeaderLines, "X-A: b\r\n")), HeadState::TooLarge);
    EXPECT_EQ(JudgeHead(start + std::string(LargestRequestHead, 'b')), HeadState::TooLarge);
    EXPECT_EQ(JudgeHead("GET /?" + std::string(LargestRequestHead, 'a')),
              HeadState::AddressTooLong);
}

TEST(RequestHead, CarriesTheTokenInItsHeaderOrItsQuery) {
    auto head = [](const std::string &target, const std::string &header) {
        return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:80\r\n" + header + "\r\n\r\n";
    };
    EXPECT_TRUE(HeadCarriesToken(head("/api/object", "X-Velmora-Token: T0k"), "T0k"));
    EXPECT_TRUE(HeadCarriesToken(head("/api/object", "x-velmora-token:T0k "), "T0k"));
    EXPECT_TRUE(HeadCarriesToken(head("/?a=1&token=T0k", "Accept: */*"), "T0k"));
    EXPECT_FALSE(HeadCarriesToken(head("/api/object", "X-Velmora-Token: T0"), "T0k"));
    EXPECT_FALSE(HeadCarriesToken(head("/?token=T0", "X-Other: T0k"), "T0k"));
    EXPECT_FALSE(HeadCarriesToken(head("/?xtoken=T0k", "X-Velmora-Tokens: T0k"), "T0k"));
}
