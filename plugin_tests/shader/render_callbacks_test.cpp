#include "shader/render_callbacks.h"

#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "plugin_tests/linked_module.h"

namespace {

using render::ShadingRecord;

TEST(RenderCallbacks, InitAndCleanupOfAnyInstanceEmptyEveryCache) {
    Scene scene;
    scene.items.push_back({"Box", MakeObjectFile("box.lwo", MakeBox({.part = "all"}))});
    scene.items.push_back({"Grid", MakeObjectFile("grid.lwo", MakeGrid(2, 2, {.part = "all"}))});
    LinkedSession host(std::move(scene));
    LWInstance first = host.create(), second = host.create();
    AddSet(host, first, "all", 1.0);
    AddSet(host, second, "all", 1.0);
    auto scans = [&] { return host.objectInfoService().ledger().totals()[MeshCall::scanPolys]; };
    auto shadeBoth = [&] {
        ShadingRecord onBox = host.sampleOn(0, 0), onGrid = host.sampleOn(1, 3);
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
