// Where in a pixel its samples fall: one per row and one per column of an n by n grid of strata,
// jittered inside their cell. The pattern depends only on the seed and the pixel, never on the
// thread or the order of work, so pictures repeat exactly.
#pragma once

#include <cstdint>
#include <span>

namespace render {

struct PixelOffset {
    double x, y;  // in [0, 1) across the pixel
};

// Fills `samples`, one per element; a single sample lies at the pixel's centre.
void PixelSamples(std::uint32_t seed, int pixelX, int pixelY, std::span<PixelOffset> samples);

}  // namespace render
