// An 8-bit RGB picture, rows from top to bottom, and the linear colour the renderer works in.
#pragma once

#include <cstdint>
#include <vector>

namespace render {

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8 &) const = default;
};

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // r, g, b per pixel

    Image() = default;
    Image(int width, int height, Rgb8 fill = {});
    Rgb8 at(int x, int y) const;
    void set(int x, int y, Rgb8 colour);
    // Writes inside the picture only: drawing may run past an edge.
    void fillRect(int x0, int y0, int x1, int y1, Rgb8 colour);
    // Copies `source` with its top left corner at (x, y), clipped to this picture.
    void paste(const Image &source, int x, int y);
    bool operator==(const Image &) const = default;
};

// Linear light, 1 = white.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(double s, Rgb a) {
    return {s * a.r, s * a.g, s * a.b};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}

// sRGB encoding, clamped to the displayable range.
Rgb8 Encode(Rgb linear);
Rgb Decode(Rgb8 encoded);

// The largest difference of one channel between pixels at the same place; pictures of
// different sizes differ by 256.
int LargestChannelDifference(const Image &a, const Image &b);

}  // namespace render
