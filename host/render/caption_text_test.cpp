#include "host/render/caption_text.h"

#include <gtest/gtest.h>

namespace render {
namespace {

int InkedPixels(const Image &image, int x0, int x1) {
    int inked = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = x0; x < x1; ++x) inked += image.at(x, y) != Rgb8{};
    return inked;
}

TEST(CaptionText, DegreeSignIsDrawnAsASmallRingAfterTheDigits) {
    const std::string digits = "60", angle = "60\xC2\xB0";
    for (int scale : {1, 2}) {
        EXPECT_EQ(TextWidth(angle, scale), TextWidth(digits, scale) + 4 * scale);
        EXPECT_EQ(TextWidth(angle + ", same", scale),
                  TextWidth(angle, scale) + TextWidth(", same", scale));

        Image drawn(TextWidth(angle, scale) + 2, TextHeight(scale));
        DrawText(drawn, 0, 0, angle, {255, 255, 255}, scale);
        Image plain(drawn.width, drawn.height);
        DrawText(plain, 0, 0, digits, {255, 255, 255}, scale);
        int signStart = TextWidth(digits, scale);
        EXPECT_EQ(InkedPixels(drawn, 0, signStart), InkedPixels(plain, 0, signStart));
        // A ring of 3 by 3 cells, open in the middle.
        EXPECT_EQ(InkedPixels(drawn, signStart, drawn.width), 8 * scale * scale);
    }
}

}  // namespace
}  // namespace render
