#include "host/render/pixel_samples.h"

#include <utility>

namespace render {

namespace {

// A small counter-based generator (a PCG output permutation over a hashed counter).
std::uint32_t Hash(std::uint32_t value) {
    std::uint32_t state = value * 747796405u + 2891336453u;
    std::uint32_t word = ((state >> ((state >> 28u) + 4u)) ^ state) * 277803737u;
    return (word >> 22u) ^ word;
}

struct PixelRandom {
    std::uint32_t state;
    double next() {
        state = Hash(state);
        return (state >> 8) * (1.0 / 16777216.0);
    }
};

}  // namespace

void PixelSamples(std::uint32_t seed, int pixelX, int pixelY, std::span<PixelOffset> samples) {
    int count = static_cast<int>(samples.size());
    if (count == 1) samples[0] = {0.5, 0.5};
    if (count <= 1) return;
    PixelRandom random{Hash(seed ^ Hash(static_cast<std::uint32_t>(pixelX) ^
                                        Hash(static_cast<std::uint32_t>(pixelY))))};
    for (int i = 0; i < count; ++i) samples[i].y = i;
    for (int i = count - 1; i > 0; --i) {
        int j = static_cast<int>(random.next() * (i + 1));
        std::swap(samples[i].y, samples[j].y);
    }
    for (int i = 0; i < count; ++i) {
        double row = samples[i].y;
        samples[i].x = (i + random.next()) / count;
        samples[i].y = (row + random.next()) / count;
    }
}

}  // namespace render
