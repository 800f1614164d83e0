#include "panel/options_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "host/panels/scripted_user.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/streams/recording_stream.h"
#include "module/activation.h"
#include "module/host_services.h"
#include "panel/set_options_labels.h"
#include "plugin_tests/linked_module.h"
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
        EXPECT_THAT(host->panelServices().problems(), IsEmpty());
    }
    // Shows the dialog on an instance whose settings start with entries named `kept`.
    int activate(const std::vector<std::string> &kept = {}) {
        FetchHostServices(host->global());
        ShaderInstance instance = {
            std::make_unique<PolygonSetList>(), {}, SurfaceID(*scene.items[0].file, 0)};
        for (const std::string &name : kept) instance.settings->append(name);
        LWInterface ui = {&instance, nullptr, nullptr, nullptr};
        int result = ActivateInterface(4, host->global(), &ui, nullptr);
        entriesMade = instance.settings->size();
        return result;
    }

    Scene scene;
    std::optional<LinkedSession> host;
    std::size_t entriesMade = 0;
};

TEST_F(DialogActivation, WithoutPanelServicesNothingIsShown) {
    host->serviceTable().switchOff("LWPanelServices");
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_THAT(host->panelServices().calls(), IsEmpty());
}

TEST_F(DialogActivation, PanelThatCannotBeMadeShowsNothing) {
    host->panelServices().refuseCreate(true);
    // "Gone" is no set of the surface: a dialog that opened would drop it.
    EXPECT_EQ(activate({"A", "Gone"}), AFUNC_OK);
    EXPECT_EQ(host->panelServices().opened(), 0);
    EXPECT_EQ(entriesMade, 2u);
}

TEST_F(DialogActivation, WithoutObjectInfoThePanelServicesAreNotEvenFetched) {
    host->serviceTable().switchOff("LW Object Info 4");
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_THAT(host->panelServices().calls(), IsEmpty());
    for (const auto &request : host->serviceTable().requests())
        EXPECT_NE(request.name, "LWPanelServices");
}

TEST_F(DialogActivation, PanelServicesComeThroughTheLatestHandlersGlobalFunction) {
    ServiceTable later;
    later.provide("LW Object Info 4", host->objectInfoService().record());
    later.provide("LWPanelServices", host->panelServices().record());
    FetchHostServices(host->global());
    FetchHostServices(later.global());
    ShaderInstance instance = {
        std::make_unique<PolygonSetList>(), {}, SurfaceID(*scene.items[0].file, 0)};
    LWInterface ui = {&instance, nullptr, nullptr, nullptr};
    host->serviceTable().forgetRequests();
    EXPECT_EQ(ActivateInterface(4, host->global(), &ui, nullptr), AFUNC_OK);
    EXPECT_THAT(host->serviceTable().requests(), IsEmpty());
    EXPECT_EQ(later.requests().back().name, "LWPanelServices");
    EXPECT_EQ(host->panelServices().record()->globalFun, later.global());
    EXPECT_EQ(host->panelServices().opened(), 1);
}

TEST_F(DialogActivation, OpensOneModalPanelAndDestroysItBeforeReturning) {
    ScriptedUser user;
    user.pick(set_options_label::SetPopup, "A");
    host->panelServices().setUser(&user);
    EXPECT_EQ(activate(), AFUNC_OK);
    EXPECT_EQ(host->panelServices().opened(), 1);
    EXPECT_TRUE(host->panelServices().panels().empty());
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
    HostSession host(scene, std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p");
    const LWShaderHandler &handler = host.handler();
    LWInstance instance = host.create(SurfaceID(*scene.items[0].file, 0));

    ScriptedUser user;
    user.then([](PanelSession &session) {
            EXPECT_EQ(session.popupItems(set_options_label::SetPopup),
                      (std::vector<std::string>{set_options_label::NoSet, "Top", "Side", "Rim"}));
        })
        .pick(set_options_label::SetPopup, "Side")
        .setBox(set_options_label::Enable, true)
        .typeAngle(set_options_label::Angle, 40)
        .pick(set_options_label::SetPopup, "Rim")
        .setBox(set_options_label::Enable, true)
        .setBox(set_options_label::SameSetOnly, true);
    EXPECT_NO_THROW(host.editOptions(instance, user));
    EXPECT_EQ(user.sessions(), 1);

    RecordingSaveStream saved;
    EXPECT_EQ(handler.inst->save(instance, saved.state()), nullptr);
    EXPECT_THAT(saved.calls(),
                ElementsAre("writeI4 256", "beginBlk PDLB PluginDataLib 0", "writeI4 1",
                            "beginBlk PDPR PluginDataParam 0", "writeStr \"plist\"",
                            "writeU4 50555352", "writeI4 2", "writeStr \"Side\"", "writeI4 1",
                            "writeU1 " + HexBits(40 * std::numbers::pi / 180), "writeI4 0",
                            "writeStr \"Rim\"", "writeI4 1", "writeU1 3FF8FE3CC6FF87DE",
                            "writeI4 1", "endBlk", "endBlk"));
}

}  // namespace
