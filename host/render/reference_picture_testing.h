// For tests: a render compared with the picture kept beside the test, or the picture rewritten
// when VELMORA_UPDATE_RENDER_REFERENCES is set. Samples along silhouettes may fall differently
// with another build of Embree, so a few pixels may differ by more than rounding.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "host/render/image.h"
#include "host/render/png_file.h"

namespace render {

struct PictureTolerance {
    int channelSteps;        // a pixel differs when one of its channels is off by more than this
    int pixelsPerDifferent;  // one pixel in this many may differ
};

// On a mismatch the render is left as `name`.actual.png in the working folder.
inline void ExpectMatchesReference(const Image &image, const std::string &folder,
                                   const std::string &name, PictureTolerance tolerance) {
    std::string path = folder + "/" + name;
    if (std::getenv("VELMORA_UPDATE_RENDER_REFERENCES")) {
        WritePng(image, path);
        return;
    }
    Image reference = ReadPng(path);
    ASSERT_EQ(reference.width, image.width);
    ASSERT_EQ(reference.height, image.height);
    int different = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            Rgb8 a = image.at(x, y), b = reference.at(x, y);
            int largest = std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
            different += largest > tolerance.channelSteps;
        }
    int allowed = image.width * image.height / tolerance.pixelsPerDifferent;
    EXPECT_LE(different, allowed) << name << ": " << different
                                  << " pixels differ; the render is in " << name << ".actual.png";
    if (different > allowed) WritePng(image, name + ".actual.png");
}

}  // namespace render
