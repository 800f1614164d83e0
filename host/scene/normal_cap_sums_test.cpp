#include "host/scene/normal_cap_sums.h"

#include <gtest/gtest.h>

#include <random>

namespace geometry {
namespace {

Vec3 DirectSum(const std::vector<Vec3> &normals, Vec3 direction, double cosine) {
    Vec3 sum;
    for (Vec3 n : normals)
        if (Dot(direction, n) > cosine) sum += n;
    return sum;
}

void ExpectNear(Vec3 a, Vec3 b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
    EXPECT_NEAR(a.z, b.z, 1e-9);
}

std::vector<Vec3> RandomNormals(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss;
    std::vector<Vec3> normals;
    for (int i = 0; i < count; ++i)
        normals.push_back(Normalize({gauss(random), gauss(random), gauss(random)}));
    return normals;
}

TEST(NormalCapSums, AgreesWithTestingEveryNormal) {
    std::vector<Vec3> normals = RandomNormals(2000, 7);
    normals.push_back({});  // a polygon without area
    NormalCapSums sums(normals);
    for (double cosine : {2.0, 0.999, 0.9, 0.5, 0.0, -0.5, -1.5})
        for (int i = 0; i < 50; ++i)
            ExpectNear(sums.SumWithin(normals[i], cosine), DirectSum(normals, normals[i], cosine));
}

TEST(NormalCapSums, EqualNormalsAtTheEdgeAreTestedExactly) {
    Vec3 up{0, 0, 1}, tilted = Normalize({0, 1, 10});
    std::vector<Vec3> normals(1000, tilted);
    NormalCapSums sums(normals);
    double cosine = Dot(up, tilted);
    ExpectNear(sums.SumWithin(up, cosine), {});
    ExpectNear(sums.SumWithin(up, std::nextafter(cosine, 0.0)), 1000 * tilted);
}

TEST(NormalCapSums, NoNormalsSumToZero) {
    EXPECT_EQ(NormalCapSums({}).SumWithin({0, 0, 1}, 0), Vec3{});
}

}  // namespace
}  // namespace geometry
