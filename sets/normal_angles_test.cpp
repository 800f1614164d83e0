#include "sets/normal_angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

geometry::Vec3 AtDegrees(double degrees) {
    double radians = degrees * std::numbers::pi / 180;
    return {std::cos(radians), std::sin(radians), 0};
}

TEST(LessThanDegrees, AgreesWithTheAngleOnEitherSideOfTheLimitAndAtIt) {
    const geometry::Vec3 x{1, 0, 0};
    for (double limit : {0.1, 1.0, 12.0, 89.5}) {
        const LessThanDegrees below(limit);
        for (double offset : {-1.0, -1e-3, -1e-7, -1e-12, 0.0, 1e-12, 1e-7, 1e-3, 1.0}) {
            geometry::Vec3 other = AtDegrees(limit + offset);
            EXPECT_EQ(below(x, other), Degrees(x, other) < limit) << limit << " " << offset;
            EXPECT_EQ(below.MoreThan(Dot(x, other), x, other), Degrees(x, other) > limit)
                << limit << offset;
            // Scaling moves the angle by a rounding, which only a knife's edge would notice.
            if (std::abs(offset) < 1e-7) continue;
            EXPECT_EQ(below.OfAnyLength(3 * x, 0.5 * other), below(x, other)) << limit << offset;
        }
    }
}

TEST(LessThanDegrees, TakesNeitherAZeroNorANotANumberNormal) {
    const LessThanDegrees below(5);
    EXPECT_FALSE(below({1, 0, 0}, {std::nan(""), 0, 0}));
    EXPECT_FALSE(below({1, 0, 0}, {0, 0, 0}));
    EXPECT_TRUE(below({1, 0, 0}, {1, 0, 0}));
    // Of any length, a normal without a direction is like no other, not even itself.
    const double infinite = std::numeric_limits<double>::infinity();
    for (geometry::Vec3 none : {geometry::Vec3{0, 0, 0}, geometry::Vec3{std::nan(""), 0, 0},
                                geometry::Vec3{infinite, 0, 0}}) {
        EXPECT_FALSE(below.OfAnyLength({2, 0, 0}, none));
        EXPECT_FALSE(below.OfAnyLength(none, none));
        EXPECT_FALSE(HasDirection(none));
    }
    EXPECT_TRUE(below.OfAnyLength({2, 0, 0}, {3, 0.01f, 0}));
}

}  // namespace
