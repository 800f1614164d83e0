#include "tools/velmora/nearest_name.h"

#include <gtest/gtest.h>

namespace {

TEST(NearestName, EditsAreCountedOneEachAndASwapOfNeighboursIsOne) {
    EXPECT_EQ(EditDistance("normals", "normals"), 0u);
    EXPECT_EQ(EditDistance("normal", "normals"), 1u);
    EXPECT_EQ(EditDistance("nromals", "normals"), 1u);
    EXPECT_EQ(EditDistance("--hlep", "--help"), 1u);
    EXPECT_EQ(EditDistance("parts", "pants"), 1u);
    EXPECT_EQ(EditDistance("", "apply"), 5u);
    EXPECT_EQ(EditDistance("render", ""), 6u);
    EXPECT_EQ(EditDistance("kitten", "sitting"), 3u);
}

TEST(NearestName, ASlipIsMatchedToTheClosestNameAndAnotherWordToNone) {
    std::vector<std::string> commands = {"normals", "parts", "apply", "render", "dialog", "help"};
    EXPECT_EQ(NearestName("normal", commands), "normals");
    EXPECT_EQ(NearestName("rendr", commands), "render");
    EXPECT_EQ(NearestName("aply", commands), "apply");
    EXPECT_EQ(NearestName("hlep", commands), "help");
    EXPECT_EQ(NearestName("export", commands), std::nullopt);
    EXPECT_EQ(NearestName("x", commands), std::nullopt);

    std::vector<std::string> options = {"--help", "--spp", "--set", "--size"};
    EXPECT_EQ(NearestName("--hlep", options), "--help");
    EXPECT_EQ(NearestName("--sizes", options), "--size");
    EXPECT_EQ(NearestName("--smooth", options), std::nullopt);
}

}  // namespace
