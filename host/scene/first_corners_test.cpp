#include "host/scene/first_corners.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

TEST(FirstCorners, EachPolygonStartsWhereTheOneBeforeEnds) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}},
                             {{0, 1, 2, 3}, {1, 4, 2}, {0, 1}, {3, 2, 1, 4, 0}});
    EXPECT_EQ(FirstCorners(mesh), (std::vector<int>{0, 4, 7, 9, 14}));
}

TEST(FirstCorners, AMeshWithoutPolygonsHasOnlyTheEnd) {
    EXPECT_EQ(FirstCorners(MeshData{}), std::vector<int>{0});
}

}  // namespace
