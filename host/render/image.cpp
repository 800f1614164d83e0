#include "host/render/image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace render {

Image::Image(int width, int height, Rgb8 fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height * 3) {
    fillRect(0, 0, width, height, fill);
}

Rgb8 Image::at(int x, int y) const {
    const std::uint8_t *p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

void Image::set(int x, int y, Rgb8 colour) {
    std::uint8_t *p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

void Image::fillRect(int x0, int y0, int x1, int y1, Rgb8 colour) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width);
    y1 = std::min(y1, height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) set(x, y, colour);
}

void Image::paste(const Image &source, int x, int y) {
    for (int sy = 0; sy < source.height; ++sy)
        for (int sx = 0; sx < source.width; ++sx) {
            int tx = x + sx, ty = y + sy;
            if (tx >= 0 && ty >= 0 && tx < width && ty < height) set(tx, ty, source.at(sx, sy));
        }
}

namespace {

std::uint8_t EncodeChannel(double linear) {
    double c = std::clamp(linear, 0.0, 1.0);
    double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(encoded * 255));
}

double DecodeChannel(std::uint8_t value) {
    double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

Rgb8 Encode(Rgb linear) {
    return {EncodeChannel(linear.r), EncodeChannel(linear.g), EncodeChannel(linear.b)};
}

Rgb Decode(Rgb8 encoded) {
    return {DecodeChannel(encoded.r), DecodeChannel(encoded.g), DecodeChannel(encoded.b)};
}

int LargestChannelDifference(const Image &a, const Image &b) {
    if (a.width != b.width || a.height != b.height) return 256;
    int largest = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        largest = std::max(largest, std::abs(int(a.pixels[i]) - int(b.pixels[i])));
    return largest;
}

}  // namespace render
