#include "host/render/difference_map.h"

#include <gtest/gtest.h>

namespace render {
namespace {

int Brightness(Rgb8 c) {
    return 2 * c.r + 7 * c.g + c.b;
}

TEST(DifferenceMap, LargerAnglesAreBrighterUpToTheEndOfTheScale) {
    int previous = -1;
    for (double degrees = 0; degrees <= DifferenceScaleDegrees; degrees += 1) {
        int brightness = Brightness(DifferenceColour(degrees));
        EXPECT_GT(brightness, previous) << degrees;
        previous = brightness;
    }
    EXPECT_EQ(DifferenceColour(DifferenceScaleDegrees), DifferenceColour(90));
    EXPECT_EQ(DifferenceColour(0), DifferenceColour(-5));
    EXPECT_LT(Brightness(DifferenceColour(0)), 10 * 40);
}

TEST(DifferenceMap, ColoursTheObjectByAngleAndLeavesTheBackground) {
    Frame frame;
    frame.host = Image(3, 1, {128, 128, 128});
    frame.host.set(0, 0, {90, 90, 90});
    frame.normalAngle = {-1, 0, 25};
    Image map = DifferenceMap(frame);
    EXPECT_EQ(map.at(0, 0), frame.host.at(0, 0));
    EXPECT_EQ(map.at(1, 0), DifferenceColour(0));
    EXPECT_EQ(map.at(2, 0), DifferenceColour(25));
}

}  // namespace
}  // namespace render
