#include "host/scene/busiest_point.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

TEST(BusiestPoint, CountsEveryCornerAtEachPoint) {
    MeshData fan = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 0, 0}},
                            {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}, {3, 3, 3}});
    PointShare busiest = BusiestPoint(fan);
    EXPECT_EQ(busiest.point, 3);
    EXPECT_EQ(busiest.corners, 5u);
    EXPECT_EQ(BusiestPoint(MeshData{}).point, -1);
}

}  // namespace
