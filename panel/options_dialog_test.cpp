#include "panel/options_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "host/loader/shader_module.h"
#include "host/panels/scripted_user.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/stand_in_host.h"
#include "host/streams/recording_stream.h"
#include "module/activation.h"
#include "module/host_services.h"
#include "shader/shader_instance.h"

namespace {

using ::testing::IsEmpty;

class DialogActivation : public ::testing::Test {
  protected:
    DialogActivation() {
        scene.items.push_back({"Grid", MakeObjectFile("grid.lwo", MakeGrid(2, 1, {"Paint", "A"}))});
        host.emplace(scene);
    }
    void TearDown() override {
        hostServices = {};
        EXPECT_THAT(host->panels.problems(), IsEmpty());
    }
    int activate() {
        FetchHostServices(host->global());
        ShaderInstance instance = {
            std::make_unique<PolygonSetList>(), {}, SurfaceID(*scene.items[0].file, 0)};
        LWInterface ui = {&instance, nullptr, nullptr, nullptr};
        int result = ActivateInterface(4, host->global(), &ui, nullptr);
        entriesMade = instance.settings->size();
        return result;
    }

    Scene scene;
    std::optional<StandInHost> host;
    std::size_t entriesMade = 0;
};

TEST_F(DialogActivation, WithoutPanelServicesNothingIsShown) {
    host->table.switchOff("LWPanelServices");
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_THAT(host->panels.calls(), IsEmpty());
}

TEST_F(DialogActivation, PanelThatCannotBeMadeShowsNothing) {
    host->panels.refuseCreate(true);
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_EQ(host->panels.opened(), 0);
    EXPECT_EQ(entriesMade, 0u);
}

TEST_F(DialogActivation, WithoutObjectInfoThePanelServicesAreNotEvenFetched) {
    host->table.switchOff("LW Object Info 4");
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_THAT(host->panels.calls(), IsEmpty());
    for (const auto &request : host->table.requests()) EXPECT_NE(request.name, "LWPanelServices");
}

TEST_F(DialogActivation, PanelServicesComeThroughTheLatestHandlersGlobalFunction) {
    ServiceTable later;
    later.provide("LW Object Info 4", host->objectInfo.record());
    later.provide("LWPanelServices", host->panels.record());
    FetchHostServices(host->global());
    FetchHostServices(later.global());
    ShaderInstance instance = {
        std::make_unique<PolygonSetList>(), {}, SurfaceID(*scene.items[0].file, 0)};
    LWInterface ui = {&instance, nullptr, nullptr, nullptr};
    host->table.forgetRequests();
    EXPECT_EQ(ActivateInterface(4, host->global(), &ui, nullptr), AFUNC_OK);
    EXPECT_THAT(host->table.requests(), IsEmpty());
    EXPECT_EQ(later.requests().back().name, "LWPanelServices");
    EXPECT_EQ(host->panels.record()->globalFun, later.global());
    EXPECT_EQ(host->panels.opened(), 1);
}

TEST_F(DialogActivation, OpensOneModalPanelAndDestroysItBeforeReturning) {
    ScriptedUser user;
    user.pick("Polygon set : ", "A");
    host->panels.setUser(&user);
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_EQ(host->panels.opened(), 1);
    EXPECT_TRUE(host->panels.panels().empty());
    EXPECT_EQ(entriesMade, 1u);
}

}  // namespace

namespace {

using ::testing::ElementsAre;

std::string HexBits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char text[20];
    std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(bits));
    return text;
}

// The whole road through the module file as the host loads it: handler activation, an instance
// for a surface, the dialog worked by a user who edits two sets, then the instance saved.
TEST(DialogRoad, EditsOfTwoSetsReachTheInstance) {
    MeshData mesh = MakeGrid(3, 2, {"Paint", "Top"});
    for (int index : {1, 4}) mesh.polygons[index].part = "Side";
    mesh.polygons[5].part = "Rim";
    Scene scene;
    scene.items.push_back({"Cup", MakeObjectFile("objects/cup.lwo", std::move(mesh))});
    StandInHost host(scene);
    ShaderModule module(std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p", "KV_Velmora",
                        host.global());
    const LWShaderHandler &handler = module.handler();
    LWError error = nullptr;
    LWInstance instance = handler.inst->create(nullptr, SurfaceID(*scene.items[0].file, 0), &error);
    ASSERT_NE(instance, nullptr);

    ScriptedUser user;
    user.then([](PanelSession &session) {
            EXPECT_EQ(session.popupItems("Polygon set : "),
                      (std::vector<std::string>{"(none)", "Top", "Side", "Rim"}));
        })
        .pick("Polygon set : ", "Side")
        .setBox("enable smoothing", true)
        .typeAngle("Smoothing angle [deg.] : ", 40)
        .pick("Polygon set : ", "Rim")
        .setBox("enable smoothing", true)
        .setBox("smooth only same polygon set", true);
    host.panels.setUser(&user);
    EXPECT_TRUE(module.showInterface(instance, host.global()));
    EXPECT_EQ(user.sessions(), 1);
    EXPECT_THAT(host.panels.problems(), IsEmpty());

    RecordingSaveStream saved;
    EXPECT_EQ(handler.inst->save(instance, saved.state()), nullptr);
    EXPECT_THAT(saved.calls(),
                ElementsAre("writeI4 256", "beginBlk PDLB PluginDataLib 0", "writeI4 1",
                            "beginBlk PDPR PluginDataParam 0", "writeStr \"plist\"",
                            "writeU4 50555352", "writeI4 2", "writeStr \"Side\"", "writeI4 1",
                            "writeU1 " + HexBits(40 * std::numbers::pi / 180), "writeI4 0",
                            "writeStr \"Rim\"", "writeI4 1", "writeU1 3FF8FE3CC6FF87DE",
                            "writeI4 1", "endBlk", "endBlk"));
    handler.inst->destroy(instance);
}

}  // namespace
