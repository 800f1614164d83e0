#include "tools/velmora/crowded_point_warning.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"

namespace {

std::shared_ptr<ObjectFile> Fan(int triangles) {
    std::vector<std::array<float, 3>> points{{0, 0, 1}};
    std::vector<std::vector<int>> polygons;
    for (int i = 0; i < triangles; ++i) {
        points.push_back({float(i), 1, 0});
        polygons.push_back({0, 1 + i, 1 + (i + 1) % triangles});
    }
    return MakeObjectFile("fan.obj", MakeMesh(points, polygons));
}

TEST(CrowdedPointWarning, NamesThePointAndTheCost) {
    EXPECT_EQ(CrowdedPointWarning(*Fan(CrowdedPointCorners - 1)), std::nullopt);
    std::optional<std::string> warning = CrowdedPointWarning(*Fan(200'000));
    ASSERT_TRUE(warning);
    EXPECT_EQ(*warning,
              "fan.obj: point 0 (0, 0, 1) is shared by 200000 polygon corners; the module's "
              "smoothing visits every polygon there for each of them, 4e+10 visits, about 3 "
              "minutes of one core");
}

}  // namespace
