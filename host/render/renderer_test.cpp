#include "host/render/renderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>

#include "host/render/comparison.h"
#include "host/render/reference_picture_testing.h"
#include "host/scene/mesh_generators.h"
#include "hostapi/lwshader.h"

namespace render {

using geometry::Dot;
using geometry::FromArray;
using geometry::Length;
using geometry::Vec3;

namespace {

// A shader whose evaluate runs a test's function on the record.
struct ProbeShader {
    std::function<void(LWShaderAccess &)> onSample;
    LWShaderHandler handler{nullptr, nullptr, nullptr, &Evaluate, nullptr};
    static void Evaluate(LWInstance instance, LWShaderAccess *record) {
        static_cast<ProbeShader *>(instance)->onSample(*record);
    }
    ShaderHooks hooks(const std::string &surface = "Body") { return {{surface, {&handler, this}}}; }
};

RenderSettings Small() {
    RenderSettings settings;
    settings.width = 64;
    settings.height = 48;
    settings.samplesPerPixel = 2;
    return settings;
}

const MeshPolygon &PolygonOf(const LWShaderAccess &record) {
    return *reinterpret_cast<const MeshPolygon *>(record.polygon);
}

// Turns the samples of set "north" flat, so the shader's picture differs from the host's.
void FlattenNorth(LWShaderAccess &record) {
    if (PolygonOf(record).part != "north") return;
    for (int axis = 0; axis < 3; ++axis)
        record.wNorm[axis] = record.wNorm0[axis] = record.gNorm[axis];
}

void ExpectMatchesReference(const Image &image, const std::string &name) {
    render::ExpectMatchesReference(image, VELMORA_RENDER_TESTDATA, name, {3, 200});
}

TEST(Renderer, MatchesReferencePictures) {
    ProbeShader flatten{FlattenNorth};
    ObjectItem sphere = MakeObjectItem("sphere", MakeTwoSetSphere(8, 12, 1));
    ExpectMatchesReference(ComparisonImage(Render(sphere, Small(), flatten.hooks()), {}),
                           "sphere_flat_north.png");

    RenderSettings bumpy = Small();
    bumpy.bump = true;
    bumpy.view.azimuthDegrees = 20;
    bumpy.view.elevationDegrees = 40;
    ObjectItem cylinder = MakeObjectItem("cylinder", MakeTwoSetCylinder(10, 1, 1.2f));
    ExpectMatchesReference(ComparisonImage(Render(cylinder, bumpy, {}), {}), "cylinder_bump.png");
}

TEST(Renderer, AShaderThatLeavesTheRecordAloneChangesNothing) {
    ObjectItem sphere = MakeObjectItem("sphere", MakeTwoSetSphere(6, 10, 1));
    RenderSettings settings = Small();
    settings.bump = true;
    settings.timeStages = true;
    Frame without = Render(sphere, settings, {});
    ProbeShader idle{[](LWShaderAccess &) {}};
    Frame with = Render(sphere, settings, idle.hooks());
    EXPECT_EQ(without.shaded, without.host);
    EXPECT_EQ(with.host, without.host);
    EXPECT_EQ(with.shaded, without.shaded);
    EXPECT_EQ(with.polygonAt, without.polygonAt);
    EXPECT_EQ(without.times.shader, 0);
    EXPECT_GT(with.times.shader, 0);
}

TEST(Renderer, WithoutComparisonOnlyTheShadedPictureIsMade) {
    ProbeShader flatten{FlattenNorth};
    ObjectItem sphere = MakeObjectItem("sphere", MakeTwoSetSphere(8, 12, 1));
    RenderSettings settings = Small();
    settings.bump = true;
    Frame compared = Render(sphere, settings, flatten.hooks());
    settings.compare = false;
    Frame alone = Render(sphere, settings, flatten.hooks());
    EXPECT_EQ(alone.shaded, compared.shaded);
    EXPECT_EQ(alone.polygonAt, compared.polygonAt);
    EXPECT_EQ(alone.host.width, 0);
    EXPECT_TRUE(alone.normalAngle.empty());
    EXPECT_NE(compared.shaded, compared.host);
}

TEST(Renderer, ShaderSeesTheRecordOfTheHitPolygon) {
    for (MeshData mesh : {MakeTwoSetSphere(6, 10, 1), MakeTwoSetCylinder(7, 1, 2)}) {
        ObjectItem item = MakeObjectItem("probe", mesh);
        const MeshData &points = item.file->mesh;
        std::mutex guard;
        int samples = 0, slotCounts[5] = {};
        ProbeShader probe{[&](LWShaderAccess &record) {
            std::lock_guard lock(guard);
            ++samples;
            const MeshPolygon &polygon = PolygonOf(record);
            ASSERT_EQ(record.objID, &item);
            ASSERT_EQ(&polygon, &points.polygons[record.polNum]);
            int used = 0;
            float sum = 0;
            for (int slot = 0; slot < 4; ++slot) {
                sum += record.weights[slot];
                if (!record.verts[slot]) {
                    EXPECT_EQ(record.weights[slot], 0);
                    continue;
                }
                ++used;
                int index = static_cast<int>(
                    reinterpret_cast<const std::array<float, 3> *>(record.verts[slot]) -
                    points.points.data());
                EXPECT_THAT(polygon.points, ::testing::Contains(index));
            }
            ++slotCounts[used];
            EXPECT_NEAR(sum, 1, 1e-5);
            Vec3 towardsEye = FromArray(record.raySource) - FromArray(record.wPos);
            EXPECT_GT(Dot(FromArray(record.gNorm), towardsEye), 0);
            EXPECT_GE(Dot(FromArray(record.wNorm0), FromArray(record.gNorm)), 0);
            EXPECT_NEAR(Length(FromArray(record.wNorm)), 1, 1e-9);
        }};
        Render(item, Small(), probe.hooks());
        EXPECT_EQ(samples, slotCounts[3] + slotCounts[4]);
        EXPECT_GT(slotCounts[3], 0);  // pole triangles and cap polygons
        EXPECT_GT(slotCounts[4], 0);  // quads
    }
}

TEST(Renderer, ConcurrentRendersRepeatExactlyWhateverTheThreadCount) {
    ObjectItem sphere = MakeObjectItem("sphere", MakeTwoSetSphere(8, 12, 1));
    std::atomic<int> calls{0};
    ProbeShader flatten{[&](LWShaderAccess &record) {
        ++calls;
        FlattenNorth(record);
    }};
    RenderSettings settings = Small();
    settings.tileSize = 8;
    Frame single = Render(sphere, settings, flatten.hooks());
    int callsOfOne = calls.exchange(0);
    for (int threads : {2, 3}) {
        settings.threads = threads;
        int reports = 0;
        settings.progress = [&](int done, int total) {
            EXPECT_EQ(done, ++reports);
            EXPECT_EQ(total, 8 * 6);
        };
        Frame frame = Render(sphere, settings, flatten.hooks());
        EXPECT_EQ(calls.exchange(0), callsOfOne);
        EXPECT_EQ(reports, 8 * 6);
        EXPECT_EQ(frame.host, single.host);
        EXPECT_EQ(frame.shaded, single.shaded);
        EXPECT_EQ(frame.polygonAt, single.polygonAt);
    }
    EXPECT_NE(single.shaded, single.host);
}

TEST(Renderer, PolygonsOfFewerThanThreeCornersAreNotDrawn) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1}, {2}, {0, 1, 2}});
    Frame frame = Render(MakeObjectItem("sparse", mesh), Small(), {});
    EXPECT_EQ(std::count(frame.polygonAt.begin(), frame.polygonAt.end(), 0), 0);
    EXPECT_EQ(std::count(frame.polygonAt.begin(), frame.polygonAt.end(), 1), 0);
    EXPECT_GT(std::count(frame.polygonAt.begin(), frame.polygonAt.end(), 2), 100);

    MeshData lines = MakeMesh({{0, 0, 0}, {1, 0, 0}}, {{0, 1}});
    Frame empty = Render(MakeObjectItem("lines", lines), Small(), {});
    EXPECT_EQ(std::count(empty.polygonAt.begin(), empty.polygonAt.end(), -1), 64 * 48);
}

TEST(Renderer, UnusableInputIsNamed) {
    using ::testing::ThrowsMessage;
    MeshData broken = MakeMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 3, 1}});
    EXPECT_THAT([&] { Render(MakeObjectItem("broken", broken), Small(), {}); },
                ThrowsMessage<std::runtime_error>(
                    "broken.lwo: polygon 1 corner 1: point index 3 out of range (3 points)"));
    EXPECT_THAT(
        [&] {
            Render(ObjectItem{"ghost", nullptr}, Small(), {});
        },
        ThrowsMessage<std::runtime_error>("object item \"ghost\": no object file"));
    RenderSettings empty = Small();
    empty.height = 0;
    EXPECT_THROW(Render(MakeObjectItem("sphere", MakeTwoSetSphere(4, 4, 1)), empty, {}),
                 std::runtime_error);
}

}  // namespace
}  // namespace render
