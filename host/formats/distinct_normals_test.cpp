#include "host/formats/distinct_normals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DistinctNormals, CornersThatRoundToOneFloatTripleShareItsNumber) {
    DistinctNormals normals(4);
    EXPECT_EQ(normals.numberOf({0, 0, 1}), 0u);
    EXPECT_EQ(normals.numberOf({0.1, 0, 1}), 1u);
    // Closer to 0.1f than to any other float.
    EXPECT_EQ(normals.numberOf({0.1000000001, 0, 1}), 1u);
    EXPECT_EQ(normals.numberOf({0, 0, 1}), 0u);
    EXPECT_EQ(normals.numberOf({-0.0, 0, 1}), 2u);
    ASSERT_EQ(normals.size(), 3u);
    EXPECT_EQ(normals[0], (FloatNormal{0, 0, 1}));
    EXPECT_EQ(normals[1], (FloatNormal{0.1f, 0, 1}));
    EXPECT_EQ(std::signbit(normals[2][0]), true);
}

// Many more normals than the table first expected, and than one chunk of them holds: the table
// grows and still finds each one.
TEST(DistinctNormals, EveryNormalKeepsItsNumberAsTheTableGrows) {
    DistinctNormals normals(1);
    for (int round = 0; round < 2; ++round)
        for (int index = 0; index < 70000; ++index)
            ASSERT_EQ(normals.numberOf({index * 0.25, -index * 0.5, 1}),
                      static_cast<std::uint32_t>(index));
    ASSERT_EQ(normals.size(), 70000u);
    for (std::uint32_t number : {0u, 65535u, 65536u, 69999u})
        EXPECT_EQ(normals[number], (FloatNormal{number * 0.25f, number * -0.5f, 1}));
}

}  // namespace
