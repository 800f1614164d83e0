// The host's own smoothing comes from the object file, surface by surface, into both the
// host's picture and the normals handed to the module, without any option.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo3_testing.h"
#include "host/formats/object_reader.h"
#include "host/render/renderer.h"
#include "tools/velmora/corner_normals.h"

namespace {

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Three unit-wide strips, each turned up from the one before: by 20 degrees, then by 40.
ObjectFile Folds(std::optional<double> smoothingDegrees) {
    ObjectFile object;
    float x = -1, y = 0;
    object.mesh.points = {{x, y, 0}, {x, y, 1}};
    for (double heading : {0.0, 20.0, 60.0}) {
        x += float(std::cos(Radians(heading)));
        y += float(std::sin(Radians(heading)));
        object.mesh.points.push_back({x, y, 0});
        object.mesh.points.push_back({x, y, 1});
    }
    for (int strip = 0; strip < 3; ++strip) {
        MeshPolygon quad;
        int first = 2 * strip;
        quad.points = {first, first + 1, first + 3, first + 2};
        quad.surface = "Folds";
        object.mesh.polygons.push_back(quad);
    }
    object.surfaces = {"Folds"};
    if (smoothingDegrees) object.smoothing["Folds"] = float(Radians(*smoothingDegrees));
    return object;
}

ObjectItem Load(const std::string &name, const std::vector<std::uint8_t> &bytes) {
    std::string path = testing::TempDir() + name;
    WriteFileAtomically(path, bytes);
    return {name, LoadObjectFile(path)};
}

render::Image HostPicture(const ObjectItem &item, std::optional<double> hostAngle) {
    render::RenderSettings settings;
    settings.width = 48;
    settings.height = 36;
    settings.samplesPerPixel = 1;
    settings.threads = 1;
    settings.hostAngleDegrees = hostAngle;
    return render::Render(item, settings, {}).host;
}

std::vector<CornerNormal> Baked(const ObjectItem &item) {
    return SampleCornerNormals(item, {}, geometry::SurfaceSmoothing(*item.file), 1);
}

geometry::Vec3 Normal(const ObjectItem &item, int polygon) {
    return geometry::PolygonNormal(item.file->mesh, item.file->mesh.polygons[polygon]);
}

void ExpectNear(const CornerNormal &actual, const geometry::Vec3 &expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
    EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

TEST(HostSmoothing, ASurfaceSmoothedAt30DegreesInTheFileBakesAndRendersSo) {
    ObjectItem item = Load("folds30.lwo", Lwo3Bytes(Folds(30)));
    std::vector<CornerNormal> normals = Baked(item);
    // Corner 2 of strip 0 and corner 0 of strip 1 lie on the 20-degree fold; corner 2 of strip
    // 1 on the 40-degree one.
    ExpectNear(normals[2], geometry::Normalize(Normal(item, 0) + Normal(item, 1)));
    ExpectNear(normals[4], geometry::Normalize(Normal(item, 0) + Normal(item, 1)));
    ExpectNear(normals[6], Normal(item, 1));
    ExpectNear(normals[8], Normal(item, 2));

    render::Image fromFile = HostPicture(item, std::nullopt);
    EXPECT_EQ(fromFile, HostPicture(item, 30));
    EXPECT_NE(fromFile, HostPicture(item, 45));
    EXPECT_NE(fromFile, HostPicture(item, 10));
}

TEST(HostSmoothing, ASurfaceWithoutSmoothingBakesAndRendersFlat) {
    ObjectItem item = Load("folds_flat.lwo", EncodeLwo2(Folds(std::nullopt), "folds_flat.lwo"));
    std::vector<CornerNormal> normals = Baked(item);
    for (int corner = 0; corner < 12; ++corner)
        ExpectNear(normals[corner], Normal(item, corner / 4));

    render::Image fromFile = HostPicture(item, std::nullopt);
    EXPECT_EQ(fromFile, HostPicture(item, 0));
    EXPECT_NE(fromFile, HostPicture(item, kDefaultSmoothingDegrees));
}

}  // namespace
