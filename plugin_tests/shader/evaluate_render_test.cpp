// The shader as the preview renderer drives it: init, newTime, evaluate on several threads,
// cleanup, with records filled by the host's ray casting.
#include <gtest/gtest.h>

#include "host/render/renderer.h"
#include "host/scene/mesh_generators.h"
#include "plugin_tests/linked_module.h"

namespace {

using namespace render;

// What a set smoothed at angle 0 must look like: each sample takes its polygon's own normal.
void FlatNorth(LWInstance, LWShaderAccess *record) {
    if (reinterpret_cast<const MeshPolygon *>(record->polygon)->part != "north") return;
    for (int axis = 0; axis < 3; ++axis)
        record->wNorm[axis] = record->wNorm0[axis] = record->gNorm[axis];
}

TEST(EvaluateRender, ConcurrentRenderShadesOnlyTheSetsWithSettings) {
    LinkedSession host(Scene{{MakeObjectItem("sphere", MakeTwoSetSphere(8, 12, 1))}});
    LWInstance instance = host.create();
    AddSet(host, instance, "north", 0);
    const ObjectItem &sphere = host.scene().items[0];

    RenderSettings settings;
    settings.width = 64;
    settings.height = 48;
    settings.samplesPerPixel = 2;
    settings.threads = 2;
    settings.tileSize = 8;
    Frame module = Render(sphere, settings, {{"Body", {&host.handler(), instance}}});

    LWShaderHandler flat{nullptr, nullptr, nullptr, &FlatNorth, nullptr};
    Frame expected = Render(sphere, settings, {{"Body", {&flat, nullptr}}});

    EXPECT_EQ(module.host, expected.host);
    EXPECT_NE(module.shaded, module.host);
    EXPECT_LE(LargestChannelDifference(module.shaded, expected.shaded), 1);
}

}  // namespace
