#include "host/render/pixel_samples.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace render {
namespace {

TEST(PixelSamples, OneSampleInEachRowAndColumnOfStrataRepeatably) {
    std::vector<PixelOffset> samples(6), again(6), elsewhere(6);
    PixelSamples(7, 3, 4, samples);
    PixelSamples(7, 3, 4, again);
    PixelSamples(7, 4, 3, elsewhere);
    std::set<int> columns, rows;
    for (size_t i = 0; i < samples.size(); ++i) {
        ASSERT_GE(samples[i].x, 0);
        ASSERT_LT(samples[i].x, 1);
        ASSERT_GE(samples[i].y, 0);
        ASSERT_LT(samples[i].y, 1);
        columns.insert(static_cast<int>(samples[i].x * 6));
        rows.insert(static_cast<int>(samples[i].y * 6));
        EXPECT_EQ(samples[i].x, again[i].x);
        EXPECT_EQ(samples[i].y, again[i].y);
    }
    EXPECT_EQ(columns.size(), 6u);
    EXPECT_EQ(rows.size(), 6u);
    EXPECT_NE(samples[0].y, elsewhere[0].y);

    std::vector<PixelOffset> single(1);
    PixelSamples(7, 3, 4, single);
    EXPECT_EQ(single[0].x, 0.5);
    EXPECT_EQ(single[0].y, 0.5);
}

}  // namespace
}  // namespace render
