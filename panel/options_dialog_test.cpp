#include "panel/options_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/panels/scripted_user.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/stand_in_host.h"
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
