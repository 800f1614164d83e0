#include "shader/vec3.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Vec3, OperationsOnDoubles) {
    Vec3 x{1, 0, 0}, y{0, 1, 0};
    EXPECT_EQ(cross(x, y), (Vec3{0, 0, 1}));
    EXPECT_EQ(cross(y, x), (Vec3{0, 0, -1}));
    EXPECT_EQ(cross(Vec3{1, 2, 3}, Vec3{4, 5, 6}), (Vec3{-3, 6, -3}));
    EXPECT_EQ(dot(Vec3{1, 2, 3}, Vec3{4, -5, 6}), 12.0);
    EXPECT_EQ(length(Vec3{3, 4, 12}), 13.0);
    EXPECT_EQ(normalize(Vec3{0, -3, 4}), (Vec3{0, -0.6, 0.8}));
}

TEST(Vec3, NormalizingNothingGivesNothing) {
    EXPECT_EQ(normalize(Vec3{}), (Vec3{}));
    double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(normalize(Vec3{nan, 1, 0}), (Vec3{}));
    // Too small to square: the length underflows to zero.
    EXPECT_EQ(normalize(Vec3{1e-200, 0, 0}), (Vec3{}));
}

}  // namespace
