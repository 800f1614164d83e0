#include "panel/set_options_panel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "host/panels/scripted_user.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "module/activation.h"
#include "module/host_services.h"
#include "panel/set_options_labels.h"
#include "plugin_tests/linked_module.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using set_options_label::Angle;
using set_options_label::Enable;
using set_options_label::NoSet;
using set_options_label::SameSetOnly;
using set_options_label::SetPopup;

// One object whose surface "Paint" carries the sets A, B and C, and whose surface "Bare" has none.
Scene PaintedObject() {
    MeshData mesh = MakeGrid(4, 1, {"Paint", "A"});
    mesh.polygons[1].part = "B";
    mesh.polygons[2].part = "C";
    mesh.polygons[3].surface = "Bare";
    mesh.polygons[3].part = std::nullopt;
    Scene scene;
    scene.items.push_back({"Painted", MakeObjectFile("objects/painted.lwo", std::move(mesh))});
    return scene;
}

// Entries as "name enabled angle-in-degrees sameSetOnly".
std::vector<std::string> Describe(const PolygonSetList &list) {
    std::vector<std::string> described;
    for (std::size_t index = 0; index < list.size(); ++index) {
        const PolygonSetEntry &entry = list.at(index);
        char text[128];
        std::snprintf(text, sizeof text, "%s %d %g %d", entry.name.c_str(), entry.enabled,
                      entry.angle * 180 / 3.14159265358979323846, entry.sameSetOnly);
        described.push_back(text);
    }
    return described;
}

class OptionsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        host.panelServices().setUser(&user);
        useSurface(0);
    }
    void TearDown() override {
        host.handler().inst->destroy(instance);
        hostServices = {};
        EXPECT_THAT(host.panelServices().problems(), IsEmpty());
    }
    void useSurface(int index) {
        if (instance) host.handler().inst->destroy(instance);
        LWError error = nullptr;
        instance =
            host.handler().inst->create(nullptr, SurfaceID(*scene.items[0].file, index), &error);
    }
    PolygonSetList &settings() { return *static_cast<ShaderInstance *>(instance)->settings; }
    std::vector<std::string> entries() { return Describe(settings()); }
    int showDialog() {
        LWInterface ui = {instance, nullptr, nullptr, nullptr};
        return ActivateInterface(4, host.global(), &ui, nullptr);
    }
    // A step that checks what the dialog shows.
    static ScriptedUser::Step Shows(std::string popup, std::string enable, std::string angle,
                                    std::string sameSet, bool settingsUsable) {
        return [=](PanelSession &session) {
            EXPECT_EQ(session.shown(SetPopup), popup);
            EXPECT_EQ(session.shown(Enable), enable);
            EXPECT_EQ(session.shown(Angle), angle);
            EXPECT_EQ(session.shown(SameSetOnly), sameSet);
            EXPECT_EQ(session.usable(Enable), popup != NoSet);
            EXPECT_EQ(session.usable(Angle), settingsUsable);
            EXPECT_EQ(session.usable(SameSetOnly), settingsUsable);
        };
    }

    Scene scene = PaintedObject();
    LinkedSession host{scene};
    ScriptedUser user;
    LWInstance instance = nullptr;
};

TEST_F(OptionsDialog, OpensOnNoneWithTheSettingControlsGreyedOut) {
    user.then(Shows(NoSet, "off", "89.5", "off", false)).then([](PanelSession &session) {
        EXPECT_THAT(session.popupItems(SetPopup), ElementsAre(NoSet, "A", "B", "C"));
        const HostPanel &panel = session.panel();
        EXPECT_EQ(panel.title, "KV's Velmora Shader version 0.16");
        EXPECT_EQ(panel.geometry[PAN_W], 300);
        EXPECT_EQ(panel.geometry[PAN_H], 24);
        EXPECT_EQ(panel.openFlags, 0x9D);
        ASSERT_EQ(panel.controls.size(), 5u);
        std::vector<std::string> layout;
        for (const auto &control : panel.controls)
            layout.push_back(control->type + " \"" + control->label + "\" " +
                             std::to_string(control->x) + "," + std::to_string(control->y));
        EXPECT_THAT(layout,
                    ElementsAre("CustomPopupControl \"Polygon set : \" 8,0",
                                "AreaControl \"\" 8,28", "BoolControl \"enable smoothing\" 8,36",
                                "AngleControl \"Smoothing angle [deg.] : \" 8,60",
                                "BoolControl \"smooth only same polygon set\" 8,84"));
        EXPECT_EQ(panel.controls[0]->descriptor.popup.width, 150);
        EXPECT_EQ(panel.controls[1]->descriptor.area.width, 280);
        EXPECT_EQ(panel.controls[1]->descriptor.area.height, 1);
        EXPECT_EQ(panel.controls[3]->descriptor.range.width, 280);
        EXPECT_EQ(panel.controls[3]->descriptor.range.max, 360);
        EXPECT_EQ(panel.controls[3]->floatValue, DefaultSmoothingAngle);
    });
    EXPECT_EQ(showDialog(), AFUNC_OK);
    EXPECT_EQ(host.panelServices().opened(), 1);
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_TRUE(host.panelServices().panels().empty());
    EXPECT_THAT(host.panelServices().calls().back(), "destroy");
}

TEST_F(OptionsDialog, PickingASetAppendsAnEntryWithTheDefaults) {
    settings().append("C").enabled = 1;
    user.pick(SetPopup, "B").then(Shows("B", "off", "89.5", "off", false));
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("C 1 89.5 0", "B 0 89.5 0"));
    EXPECT_EQ(settings().at(1).angle, DefaultSmoothingAngle);
}

TEST_F(OptionsDialog, EnablingFreesTheSettingsAtOnceButStoresOnlyOnSwitching) {
    user.pick(SetPopup, "A")
        .setBox(Enable, true)
        .then(Shows("A", "on", "89.5", "off", true))
        .then([this](PanelSession &) { EXPECT_THAT(entries(), ElementsAre("A 0 89.5 0")); })
        .typeAngle(Angle, 30)
        .setBox(SameSetOnly, true)
        .pick(SetPopup, "B")
        .then([this](PanelSession &) {
            EXPECT_THAT(entries(), ElementsAre("A 1 30 1", "B 0 89.5 0"));
        })
        .then(Shows("B", "off", "89.5", "off", false))
        .pick(SetPopup, "A")
        .then(Shows("A", "on", "30", "on", true));
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("A 1 30 1", "B 0 89.5 0"));
}

TEST_F(OptionsDialog, NoneStoresTheSetShownAndNothingOnClose) {
    user.pick(SetPopup, "C")
        .setBox(Enable, true)
        .typeAngle(Angle, 45)
        .pick(SetPopup, NoSet)
        .then(Shows(NoSet, "off", "89.5", "off", false));
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("C 1 45 0"));
}

TEST_F(OptionsDialog, CloseStoresTheSelectedSet) {
    user.pick(SetPopup, "B").setBox(Enable, true).typeAngle(Angle, 12.5).setBox(SameSetOnly, true);
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("B 1 12.5 1"));
    user = ScriptedUser();
    user.then(Shows(NoSet, "off", "89.5", "off", false));
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("B 1 12.5 1"));
}

TEST_F(OptionsDialog, VanishedSetsArePrunedBeforeAnythingIsShown) {
    for (const char *name : {"Gone", "A", "a", "Gone", "C"}) settings().append(name);
    user.then([this](PanelSession &) {
        EXPECT_THAT(entries(), ElementsAre("A 0 89.5 0", "C 0 89.5 0"));
    });
    showDialog();
    EXPECT_EQ(user.sessions(), 1);
}

TEST_F(OptionsDialog, DuplicateEntriesSurviveAndOnlyTheFirstIsEdited) {
    settings().append("A").angle = 0.5;
    settings().append("A").angle = 0.25;
    settings().append("B").enabled = 1;
    user.pick(SetPopup, "A").setBox(Enable, true).typeAngle(Angle, 60);
    showDialog();
    EXPECT_THAT(entries(), ElementsAre("A 1 60 0", "A 0 14.3239 0", "B 1 89.5 0"));
}

TEST_F(OptionsDialog, SurfaceWithoutSetsShowsOnlyNoneAndLosesEveryEntry) {
    useSurface(1);
    settings().append("A");
    user.then(Shows(NoSet, "off", "89.5", "off", false)).then([](PanelSession &session) {
        EXPECT_THAT(session.popupItems(SetPopup), ElementsAre(NoSet));
    });
    showDialog();
    EXPECT_THAT(entries(), IsEmpty());
    EXPECT_EQ(user.sessions(), 1);
}

TEST_F(OptionsDialog, GreyedOutControlsCannotBeWorked) {
    user.setBox(Enable, true);
    showDialog();
    EXPECT_THAT(host.panelServices().problems(),
                ElementsAre("panel \"KV's Velmora Shader version 0.16\": "
                            "\"enable smoothing\" is greyed out"));
    EXPECT_THAT(entries(), IsEmpty());
    host.panelServices().forgetProblems();
}

TEST_F(OptionsDialog, RefusedControlGivesAnInertPanel) {
    host.panelServices().refuseControlType("AngleControl");
    user.pick(SetPopup, "A");
    EXPECT_EQ(showDialog(), AFUNC_OK);
    EXPECT_THAT(entries(), IsEmpty());
}

}  // namespace
