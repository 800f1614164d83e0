#include "tools/velmora/distinct_normals.h"

#include <gtest/gtest.h>

namespace {

TEST(DistinctNormals, CornersThatRoundToOneFloatTripleShareItsNumber) {
    DistinctNormals normals(4);
    EXPECT_EQ(normals.numberOf({0, 0, 1}), 0u);
    EXPECT_EQ(normals.numberOf({0.1, 0, 1}), 1u);
    // Closer to 0.1f than to any other float.
    EXPECT_EQ(normals.numberOf({0.1000000001, 0, 1}), 1u);
    EXPECT_EQ(normals.numberOf({0, 0, 1}), 0u);
    EXPECT_EQ(normals.numberOf({-0.0, 0, 1}), 2u);
    EXPECT_EQ(normals.normals(),
              (std::vector<FloatNormal>{{0, 0, 1}, {0.1f, 0, 1}, {-0.0f, 0, 1}}));
}

// Many more normals than the table first expected: it grows and still finds each one.
TEST(DistinctNormals, EveryNormalKeepsItsNumberAsTheTableGrows) {
    DistinctNormals normals(1);
    for (int round = 0; round < 2; ++round)
        for (int index = 0; index < 5000; ++index)
            ASSERT_EQ(normals.numberOf({index * 0.25, -index * 0.5, 1}),
                      static_cast<std::uint32_t>(index));
    EXPECT_EQ(normals.normals().size(), 5000u);
}

}  // namespace
