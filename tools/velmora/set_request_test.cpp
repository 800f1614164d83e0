#include "tools/velmora/set_request.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(SetRequest, DefaultsAreOnAtEightyNineAndAHalfDegreesCrossingSets) {
    SetRequest request = ParseSetRequest("Fillets");
    EXPECT_EQ(request.name, "Fillets");
    EXPECT_EQ(request.angleDegrees, 89.5);
    EXPECT_FALSE(request.sameSetOnly);
    EXPECT_TRUE(request.enabled);
}

TEST(SetRequest, FieldsMayComeInAnyOrderAfterTheName) {
    SetRequest request = ParseSetRequest("rim:30:same");
    EXPECT_EQ(request.angleDegrees, 30);
    EXPECT_TRUE(request.sameSetOnly);
    request = ParseSetRequest("rim:off:same:12.5");
    EXPECT_FALSE(request.enabled);
    EXPECT_EQ(request.angleDegrees, 12.5);
    EXPECT_EQ(ParseSetRequest(":0").name, "");
}

TEST(SetRequest, RefusesWhatItCannotRead) {
    for (const char *bad : {"rim:sharp", "rim:30:40", "rim:-1", "rim:361", "rim:nan", "rim:"}) {
        EXPECT_THROW(ParseSetRequest(bad), std::invalid_argument) << bad;
    }
    try {
        ParseSetRequest("rim:sharp");
    } catch (const std::invalid_argument &error) {
        EXPECT_STREQ(error.what(),
                     "--set \"rim:sharp\": \"sharp\" is neither an angle in degrees, \"same\" nor "
                     "\"off\"");
    }
}

}  // namespace
