#include "host/scene/host_normals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "host/scene/mesh_generators.h"

namespace geometry {
namespace {

void ExpectNear(Vec3 a, Vec3 b) {
    EXPECT_NEAR(a.x, b.x, 1e-6);
    EXPECT_NEAR(a.y, b.y, 1e-6);
    EXPECT_NEAR(a.z, b.z, 1e-6);
}

// Two unit squares sharing the edge at x = 0, the second turned up by `degrees`.
MeshData Fold(double degrees, const char *secondSurface = "Body") {
    double a = degrees * std::numbers::pi / 180;
    MeshData mesh;
    mesh.points = {{-1, 0, 0},
                   {0, 0, 0},
                   {0, 0, 1},
                   {-1, 0, 1},
                   {float(std::cos(a)), float(std::sin(a)), 0},
                   {float(std::cos(a)), float(std::sin(a)), 1}};
    mesh.polygons = MakeMesh({}, {{0, 1, 2, 3}, {1, 4, 5, 2}}).polygons;
    mesh.polygons[0].surface = "Body";
    mesh.polygons[1].surface = secondSurface;
    return mesh;
}

TEST(HostNormals, PolygonNormalFollowsTheCornerOrder) {
    MeshData mesh = Fold(0);
    ExpectNear(PolygonNormal(mesh, mesh.polygons[0]), {0, -1, 0});
    MeshData other = MakeMesh(mesh.points, {{3, 2, 1, 0}, {0, 1}});
    ExpectNear(PolygonNormal(other, other.polygons[0]), {0, 1, 0});
    EXPECT_EQ(Length(PolygonNormal(other, other.polygons[1])), 0);
}

const SmoothingAngles kDefaultAngle{kDefaultSmoothingDegrees, {}};

TEST(HostNormals, SmoothsAcrossShallowFoldsOfOneSurfaceOnly) {
    HostNormals shallow = ComputeHostNormals(Fold(30), kDefaultAngle);
    Vec3 blended = Normalize(shallow.polygon[0] + shallow.polygon[1]);
    ExpectNear(shallow.corner[1], blended);                       // shared point 1
    ExpectNear(shallow.corner[0], shallow.polygon[0]);            // point 0 is its own
    ExpectNear(shallow.corner[shallow.firstCorner[1]], blended);  // point 1 seen from q

    HostNormals otherSurface = ComputeHostNormals(Fold(30, "Trim"), kDefaultAngle);
    ExpectNear(otherSurface.corner[1], otherSurface.polygon[0]);

    HostNormals flat = ComputeHostNormals(Fold(30), {89.5, {{"Body", 0.0}}});
    ExpectNear(flat.corner[1], flat.polygon[0]);
}

TEST(HostNormals, KeepsRightAnglesCreasedAtTheDefaultAngle) {
    MeshData cylinder = MakeTwoSetCylinder(4, 1, 2);
    HostNormals normals = ComputeHostNormals(cylinder, kDefaultAngle);
    // Four sides meet at right angles, as do sides and caps: every corner keeps its face.
    for (size_t p = 0; p < cylinder.polygons.size(); ++p)
        for (int c = normals.firstCorner[p]; c < normals.firstCorner[p + 1]; ++c)
            ExpectNear(normals.corner[c], normals.polygon[p]);
    HostNormals wide = ComputeHostNormals(cylinder, {91, {}});
    EXPECT_LT(Dot(wide.corner[0], wide.polygon[0]), 0.9);
}

// A range's corners are worked out from the whole mesh's shape, so that they are the very normals
// the whole mesh has there, whichever polygons the range leaves out.
TEST(HostNormals, CornersOfAnyRangeOfPolygonsAreThoseOfTheWholeMesh) {
    MeshData sphere = MakeTwoSetSphere(5, 6, 1);
    HostNormals whole = ComputeHostNormals(sphere, {40, {}});
    HostShape shape = ComputeHostShape(sphere);
    for (std::size_t first = 0; first < sphere.polygons.size(); first += 7) {
        std::size_t last = std::min(first + 9, sphere.polygons.size());
        std::vector<Vec3> corners(whole.firstCorner[last] - whole.firstCorner[first]);
        ComputeCornerNormals(sphere, shape, {40, {}}, first, last, corners);
        EXPECT_TRUE(std::equal(corners.begin(), corners.end(),
                               whole.corner.begin() + whole.firstCorner[first]))
            << "polygons " << first << " to " << last;
    }
}

// Whether the fold's shared corner is smoothed under the object file's own smoothing.
bool SmoothedAtTheFold(double foldDegrees, const ObjectFile &file,
                       std::optional<double> everySurface = std::nullopt) {
    HostNormals normals =
        ComputeHostNormals(Fold(foldDegrees), SurfaceSmoothing(file, everySurface));
    return Dot(normals.corner[1], normals.polygon[0]) < 1 - 1e-9;
}

TEST(HostNormals, EachSurfaceSmoothsAtItsOwnAngleFromTheFile) {
    ObjectFile file;
    file.smoothing["Body"] = float(30 * std::numbers::pi / 180);
    EXPECT_TRUE(SmoothedAtTheFold(29, file));
    EXPECT_FALSE(SmoothedAtTheFold(31, file));
    EXPECT_TRUE(SmoothedAtTheFold(31, file, 40.0));
    EXPECT_FALSE(SmoothedAtTheFold(29, file, 0.0));

    file.smoothing["Body"] = float(50 * std::numbers::pi / 180);
    EXPECT_TRUE(SmoothedAtTheFold(45, file));
}

TEST(HostNormals, SurfacesWithoutUsableSmoothingAreFlat) {
    ObjectFile file;
    EXPECT_FALSE(SmoothedAtTheFold(1, file));
    for (float odd : {0.0f, -0.5f, std::nanf("")}) {
        file.smoothing["Body"] = odd;
        EXPECT_FALSE(SmoothedAtTheFold(1, file)) << odd;
    }
    file.smoothing["Body"] = 100;  // far beyond half a turn
    EXPECT_TRUE(SmoothedAtTheFold(170, file));
}

// A walk over every polygon at each corner's point: the smoothing as the host defines it.
Vec3 WalkedCornerNormal(const MeshData &mesh, const std::vector<Vec3> &normals,
                        const SmoothingAngles &angles, std::size_t p) {
    const MeshPolygon &polygon = mesh.polygons[p];
    double degrees = angles.defaultDegrees;
    if (polygon.surface && angles.degreesBySurface.contains(*polygon.surface))
        degrees = angles.degreesBySurface.at(*polygon.surface);
    double threshold = degrees > 0 ? std::cos(degrees * std::numbers::pi / 180) : 2;
    Vec3 sum = normals[p];
    for (std::size_t q = 0; q < mesh.polygons.size(); ++q)
        if (q != p && mesh.polygons[q].surface == polygon.surface &&
            Dot(normals[p], normals[q]) > threshold)
            sum += normals[q];
    return Normalize(sum);
}

// Many triangles around one apex, rising and falling, of three surfaces and none: every
// triangle's first corner is the crowded apex.
TEST(HostNormals, ManyPolygonsAtOnePointSmoothAsAWalkOverThemWould) {
    constexpr int Triangles = 600;
    MeshData mesh;
    mesh.points.push_back({0, 0, 1});
    for (int i = 0; i < Triangles; ++i) {
        double a = 2 * std::numbers::pi * i / Triangles;
        float z = i % 7 == 0 ? 0.5f : 0;
        mesh.points.push_back({float(std::cos(a)), float(std::sin(a)), z});
    }
    const char *surfaces[] = {"Cone", "Rim", "Lid"};
    for (int i = 0; i < Triangles; ++i) {
        mesh.polygons.push_back(MakeMesh({}, {{0, 1 + i, 1 + (i + 1) % Triangles}}).polygons[0]);
        if (i % 11 != 0) mesh.polygons.back().surface = surfaces[i % 3];
    }
    SmoothingAngles angles{40, {{"Rim", 2.0}, {"Lid", 0.0}}};
    HostNormals normals = ComputeHostNormals(mesh, angles);
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p)
        ExpectNear(normals.corner[normals.firstCorner[p]],
                   WalkedCornerNormal(mesh, normals.polygon, angles, p));
}

}  // namespace
}  // namespace geometry
