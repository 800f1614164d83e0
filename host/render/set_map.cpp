#include "host/render/set_map.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace render {

namespace {

// HSL (hue in turns) to the display colour it names.
Rgb8 FromHsl(double hue, double saturation, double lightness) {
    double a = saturation * std::min(lightness, 1 - lightness);
    auto channel = [&](double n) {
        double k = std::fmod(n + hue * 12, 12.0);
        double value = lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
        return static_cast<std::uint8_t>(std::lround(255 * value));
    };
    return {channel(0), channel(8), channel(4)};
}

double Luminance(Rgb c) {
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

// No set keeps its grey; a set the legend does not order keeps its own number.
int PlaceOf(int set, const std::vector<int> &placeOf) {
    if (set < 0 || static_cast<std::size_t>(set) >= placeOf.size()) return set;
    return placeOf[set];
}

}  // namespace

Rgb8 SetColour(int place) {
    if (place < 0) return {205, 205, 205};
    // Twelve hues a twelfth of a turn apart, in an order that puts neighbours in the legend far
    // apart on the wheel; the first twelve light, the next twelve deep, then again.
    constexpr int hueOrder[12] = {0, 6, 3, 9, 1, 7, 4, 10, 2, 8, 5, 11};
    int round = place / 12 % 2;
    double hue = std::fmod(0.58 + hueOrder[place % 12] / 12.0, 1.0);
    return round == 0 ? FromHsl(hue, 0.65, 0.68) : FromHsl(hue, 0.75, 0.42);
}

Image PolygonSetMap(const Frame &frame, const std::vector<int> &placeOf) {
    const Image &host = frame.host;
    Image map(host.width, host.height);
    auto polygonAt = [&](int x, int y) {
        return frame.polygonAt[static_cast<size_t>(y) * host.width + x];
    };
    for (int y = 0; y < host.height; ++y)
        for (int x = 0; x < host.width; ++x) {
            int polygon = polygonAt(x, y);
            if (polygon < 0) {
                map.set(x, y, host.at(x, y));
                continue;
            }
            bool setBorder = false, polygonBorder = false;
            for (auto [nx, ny] : {std::pair{x + 1, y}, std::pair{x, y + 1}}) {
                if (nx >= host.width || ny >= host.height) continue;
                int neighbour = polygonAt(nx, ny);
                if (neighbour < 0) continue;  // the outline needs no line
                setBorder |= frame.sets.setOf[neighbour] != frame.sets.setOf[polygon];
                polygonBorder |= neighbour != polygon;
            }
            double light = 0.35 + 0.9 * Luminance(Decode(host.at(x, y)));
            double edge = setBorder ? 0.08 : polygonBorder ? 0.7 : 1.0;
            map.set(x, y,
                    Encode((edge * light) *
                           Decode(SetColour(PlaceOf(frame.sets.setOf[polygon], placeOf)))));
        }
    return map;
}

}  // namespace render
