#include "host/render/difference_map.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace render {

namespace {

// Stops of a perceptually ordered scale: its lightness grows steadily, so that a viewer reads
// larger angles as brighter without a key.
constexpr std::array<Rgb8, 5> Stops = {{
    {20, 18, 40},
    {96, 24, 120},
    {196, 58, 84},
    {249, 146, 24},
    {252, 250, 170},
}};

}  // namespace

Rgb8 DifferenceColour(double degrees) {
    double t = std::clamp(degrees / DifferenceScaleDegrees, 0.0, 1.0) * (Stops.size() - 1);
    std::size_t low = std::min(static_cast<std::size_t>(t), Stops.size() - 2);
    double f = t - low;
    auto mix = [f](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + f * (b - a)));
    };
    const Rgb8 &a = Stops[low], &b = Stops[low + 1];
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

Image DifferenceMap(const Frame &frame) {
    const Image &host = frame.host;
    Image map(host.width, host.height);
    for (int y = 0; y < host.height; ++y)
        for (int x = 0; x < host.width; ++x) {
            float angle = frame.normalAngle[static_cast<size_t>(y) * host.width + x];
            if (angle < 0) {
                map.set(x, y, host.at(x, y));
                continue;
            }
            map.set(x, y, DifferenceColour(angle));
        }
    return map;
}

}  // namespace render
