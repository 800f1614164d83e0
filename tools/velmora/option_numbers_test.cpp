#include "tools/velmora/option_numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionNumbers, AWholeNumberInRangeIsStoredAndEverythingElseSaysWhatIsWrong) {
    int value = 7;
    EXPECT_EQ(ReadWholeNumber("--spp", "16", 1, 1024, value), "");
    EXPECT_EQ(value, 16);
    EXPECT_EQ(ReadWholeNumber("--spp", "1024", 1, 1024, value), "");
    EXPECT_EQ(value, 1024);

    value = 7;
    EXPECT_EQ(ReadWholeNumber("--spp", "abc", 1, 1024, value),
              "--spp abc: not a number; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--spp", "", 1, 1024, value),
              "--spp : not a number; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--spp", "4x", 1, 1024, value),
              "--spp 4x: not a number; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--spp", "nan", 1, 1024, value),
              "--spp nan: not a number; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--spp", "2.5", 1, 1024, value),
              "--spp 2.5: not a whole number; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--threads", "-1", 0, 256, value),
              "--threads -1: out of range; expected a whole number from 0 to 256");
    EXPECT_EQ(ReadWholeNumber("--spp", "1025", 1, 1024, value),
              "--spp 1025: out of range; expected a whole number from 1 to 1024");
    EXPECT_EQ(ReadWholeNumber("--spp", "1e400", 1, 1024, value),
              "--spp 1e400: out of range; expected a whole number from 1 to 1024");
    EXPECT_EQ(value, 7);
}

TEST(OptionNumbers, DegreesMayBeFractionsWithinTheirRange) {
    double value = 3;
    EXPECT_EQ(ReadDegrees("--host-angle", "22.5", 0, 180, value), "");
    EXPECT_EQ(value, 22.5);
    EXPECT_EQ(ReadDegrees("--host-angle", "0", 0, 180, value), "");
    EXPECT_EQ(value, 0);

    value = 3;
    EXPECT_EQ(ReadDegrees("--host-angle", "flat", 0, 180, value),
              "--host-angle flat: not a number; expected degrees from 0 to 180");
    EXPECT_EQ(ReadDegrees("--host-angle", "180.5", 0, 180, value),
              "--host-angle 180.5: out of range; expected degrees from 0 to 180");
    EXPECT_EQ(ReadDegrees("--host-angle", "-inf", 0, 180, value),
              "--host-angle -inf: not a number; expected degrees from 0 to 180");
    EXPECT_EQ(ReadDegrees("--host-angle", "1e-400", 0, 180, value),
              "--host-angle 1e-400: out of range; expected degrees from 0 to 180");
    EXPECT_EQ(value, 3);
}

TEST(OptionNumbers, FactorsSayWhatTheyAre) {
    double value = 1;
    EXPECT_EQ(ReadFactor("--zoom", "2.5", 1, 100, value), "");
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(ReadFactor("--zoom", "0.5", 1, 100, value),
              "--zoom 0.5: out of range; expected a factor from 1 to 100");
}

}  // namespace
