#include "shader/render_callbacks.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "shader/shading_test_host.h"

namespace {

TEST(RenderCallbacks, InitAndCleanupOfAnyInstanceEmptyEveryCache) {
    Scene scene;
    scene.items.push_back({"Box", MakeObjectFile("box.lwo", MakeBox({.part = "all"}))});
    scene.items.push_back({"Grid", MakeObjectFile("grid.lwo", MakeGrid(2, 2, {.part = "all"}))});
    ShadingTestHost host(std::move(scene));
    LWInstance first = host.createInstance(), second = host.createInstance();
    ShadingTestHost::addSet(first, "all", 1.0);
    ShadingTestHost::addSet(second, "all", 1.0);
    auto scans = [&] { return host.objectInfo().ledger().totals()[MeshCall::scanPolys]; };
    auto shadeBoth = [&] {
        SampleRecord onBox = host.sampleOn(0, 0), onGrid = host.sampleOn(1, 3);
        host.shade(first, onBox);
        host.shade(second, onBox);
        host.shade(second, onGrid);
    };
    shadeBoth();
    EXPECT_EQ(scans(), 4);
    EXPECT_EQ(host.handler().rend->init(second, LWINIT_PREVIEW), nullptr);
    shadeBoth();
    EXPECT_EQ(scans(), 8);
    host.handler().rend->newTime(first, 2, 0.1);
    shadeBoth();
    EXPECT_EQ(scans(), 8);
    host.handler().rend->cleanup(first);
    shadeBoth();
    EXPECT_EQ(scans(), 12);
}

}  // namespace
