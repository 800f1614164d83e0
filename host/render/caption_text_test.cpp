#include "host/render/caption_text.h"

#include <gtest/gtest.h>

namespace render {
namespace {

constexpr Rgb8 White{255, 255, 255};
constexpr int Size = 16;

Image Drawn(const std::string &text) {
    Image image(TextWidth(text, Size) + 4, TextHeight(Size));
    DrawText(image, 0, 0, text, White, Size);
    return image;
}

int InkedPixels(const Image &image, int x0, int x1) {
    int inked = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = x0; x < std::min(x1, image.width); ++x) inked += image.at(x, y) != Rgb8{};
    return inked;
}

TEST(CaptionText, DegreeSignIsTheFontsGlyphAfterTheDigits) {
    const std::string digits = "60", angle = "60\xC2\xB0";
    int signStart = TextWidth(digits, Size);
    EXPECT_GT(TextWidth(angle, Size), signStart + Size / 4);
    Image drawn = Drawn(angle);
    EXPECT_EQ(InkedPixels(drawn, 0, signStart - 1), InkedPixels(Drawn(digits), 0, signStart - 1));
    EXPECT_GT(InkedPixels(drawn, signStart, drawn.width), 4);
    // A small ring high in the line, as the font draws it: ink in the line's top half only.
    Image sign = Drawn("\xC2\xB0");
    int top = 0, bottom = 0;
    for (int y = 0; y < sign.height; ++y)
        for (int x = 0; x < sign.width; ++x)
            if (sign.at(x, y) != Rgb8{}) ++(y < sign.height / 2 ? top : bottom);
    EXPECT_GT(top, 4);
    EXPECT_EQ(bottom, 0);
}

TEST(CaptionText, AnyUtf8TextIsDrawnInItsOwnLetters) {
    const std::string replacement = "\xEF\xBF\xBD";
    for (const std::string text : {"\xD0\xA4\xD0\xB0\xD1\x81\xD0\xBA\xD0\xB0",  // Cyrillic
                                   "\xCE\xB1\xCE\xB2\xCE\xB3",                  // Greek
                                   "Stra\xC3\x9F"
                                   "e \xC3\x98 2"}) {
        Image drawn = Drawn(text);
        EXPECT_GT(InkedPixels(drawn, 0, drawn.width), 20) << text;
        std::string replaced;
        for (std::size_t i = 0; i < text.size(); ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) replaced += replacement;
        EXPECT_NE(drawn.pixels, Drawn(replaced).pixels) << text;
    }
    // Bytes that are not UTF-8 each show as one replacement character.
    EXPECT_EQ(Drawn("a\xC3"
                    "b")
                  .pixels,
              Drawn("a" + replacement + "b").pixels);
    EXPECT_EQ(Drawn("\xE0\x80\xAF").pixels, Drawn(replacement + replacement + replacement).pixels);
}

TEST(CaptionText, SizeScalesTheTextAndDrawingBlendsWithinThePicture) {
    EXPECT_NEAR(TextWidth("Chamfers", 2 * Size), 2 * TextWidth("Chamfers", Size), 3);
    EXPECT_GT(TextHeight(2 * Size), 2 * TextHeight(Size) - 3);
    // Edges are smoothed: some pixels lie between the paper and the ink.
    Image drawn = Drawn("Fillets");
    bool between = false;
    for (std::size_t i = 0; i < drawn.pixels.size(); ++i)
        between |= drawn.pixels[i] > 0 && drawn.pixels[i] < 255;
    EXPECT_TRUE(between);
    // Text running past the edges is clipped.
    Image small(10, 6);
    DrawText(small, -5, -3, "Cylinders", White, Size);
    EXPECT_GT(InkedPixels(small, 0, 10), 0);
}

}  // namespace
}  // namespace render
