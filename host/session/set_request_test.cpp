#include "host/session/set_request.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(SetRequest, ANameAloneTurnsSmoothingOnAndNamesNothingElse) {
    SetRequest request = ParseSetRequest("Fillets");
    EXPECT_EQ(request.name, "Fillets");
    EXPECT_EQ(request.angleDegrees, std::nullopt);
    EXPECT_EQ(request.sameSetOnly, std::nullopt);
    EXPECT_TRUE(request.enabled);
}

TEST(SetRequest, AnEmptyNameIsAMistakeOfTheCommandLine) {
    try {
        ParseSetRequest("");
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument &error) {
        EXPECT_STREQ(error.what(),
                     "--set \"\": no set name; expected NAME[:ANGLE][:same|:cross][:off]");
    }
}

TEST(SetRequest, FieldsMayComeInAnyOrderAfterTheName) {
    SetRequest request = ParseSetRequest("rim:30:same");
    EXPECT_EQ(request.angleDegrees, 30);
    EXPECT_EQ(request.sameSetOnly, true);
    request = ParseSetRequest("rim:off:cross:12.5");
    EXPECT_FALSE(request.enabled);
    EXPECT_EQ(request.sameSetOnly, false);
    EXPECT_EQ(request.angleDegrees, 12.5);
    request = ParseSetRequest("rim:off");
    EXPECT_FALSE(request.enabled);
    EXPECT_EQ(request.angleDegrees, std::nullopt);
    EXPECT_EQ(request.sameSetOnly, std::nullopt);
    EXPECT_EQ(ParseSetRequest(":0").name, "");
}

TEST(SetRequest, ABackslashWritesAColonInsideTheNameAndKeepsOtherEscapesForThePattern) {
    SetRequest request = ParseSetRequest("Part\\:1:30");
    EXPECT_EQ(request.name, "Part:1");
    EXPECT_EQ(request.angleDegrees, 30);
    EXPECT_EQ(ParseSetRequest("Ns\\:Part\\:*:off").name, "Ns:Part:*");
    EXPECT_EQ(ParseSetRequest("Star\\*:20").name, "Star\\*");
    EXPECT_EQ(ParseSetRequest("Chamfer*:20").name, "Chamfer*");
}

TEST(SetRequest, RefusesWhatItCannotRead) {
    for (const char *bad : {"rim:sharp", "rim:30:40", "rim:-1", "rim:361", "rim:nan",
                            "rim:", "rim:same:cross", "rim\\"}) {
        EXPECT_THROW(ParseSetRequest(bad), std::invalid_argument) << bad;
    }
    try {
        ParseSetRequest("rim:sharp");
    } catch (const std::invalid_argument &error) {
        EXPECT_STREQ(error.what(),
                     "--set \"rim:sharp\": \"sharp\" is neither an angle in degrees, \"same\", "
                     "\"cross\" nor \"off\"");
    }
}

std::string RefusalOf(const std::string &text) {
    try {
        ParseSetRequest(text);
    } catch (const std::invalid_argument &error) {
        return error.what();
    }
    return "taken";
}

TEST(SetRequest, AnglesAreDecimalAndSaidAsTyped) {
    EXPECT_EQ(RefusalOf("rim:0x1e"),
              "--set \"rim:0x1e\": \"0x1e\" is neither an angle in degrees, \"same\", \"cross\" "
              "nor \"off\"");
    EXPECT_EQ(RefusalOf("rim: 30"),
              "--set \"rim: 30\": \" 30\" is neither an angle in degrees, "
              "\"same\", \"cross\" nor \"off\"");
    EXPECT_EQ(RefusalOf("rim:1e-400"),
              "--set \"rim:1e-400\": angle 1e-400 is outside 0 to 360 degrees");
    EXPECT_EQ(RefusalOf("rim:1e400"),
              "--set \"rim:1e400\": angle 1e400 is outside 0 to 360 degrees");
    EXPECT_EQ(ParseSetRequest("rim:3e1").angleDegrees, 30);
}

}  // namespace
