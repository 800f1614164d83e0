#include "host/panels/panel_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numbers>
#include <utility>

#include "host/panels/scripted_user.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The module's side of a panel, written the plain way a module would.
struct ModuleSide {
    std::vector<std::string> heard;
    LWControl *popup = nullptr;
    LWControl *box = nullptr;
    LWControl *angle = nullptr;

    static inline char names[][4] = {"a", "b", "c"};
    static int Count(void *) { return 3; }
    static char *Name(void *, int index) {
        return index >= 0 && index < 3 ? names[index] : nullptr;
    }
    static void Opened(LWPanelID, void *self) {
        static_cast<ModuleSide *>(self)->heard.push_back("open");
    }
    static void Closed(LWPanelID, void *self) {
        static_cast<ModuleSide *>(self)->heard.push_back("close");
    }
    static void Event(LWControlID control, void *self) {
        auto &side = *static_cast<ModuleSide *>(self);
        LWValue value = {};
        static_cast<LWControl *>(control)->get(control, CTL_VALUE, &value);
        if (control == side.angle)
            side.heard.push_back("angle " + std::to_string(value.flt.value));
        else
            side.heard.push_back("value " + std::to_string(value.intv.value));
    }

    void hook(LWControl *control) {
        LWValue value = {};
        value.ptr.ptr = this;
        value.type = LWT_INTEGER;
        control->set(control, CTL_USERDATA, &value);
        value.ptr.ptr = reinterpret_cast<void *>(&Event);
        value.type = LWT_INTEGER;
        control->set(control, CTL_USEREVENT, &value);
    }

    LWPanelID build(LWPanelFuncs &services) {
        LWPanelID panel = services.create(const_cast<char *>("Test"), &services);
        services.set(panel, PAN_USERDATA, this);
        services.set(panel, PAN_USEROPEN, reinterpret_cast<void *>(&Opened));
        services.set(panel, PAN_USERCLOSE, reinterpret_cast<void *>(&Closed));
        LWPanControlDesc desc = {};
        desc.popup = {LWT_POPUP, 100, Count, Name};
        popup = services.addControl(panel, const_cast<char *>("CustomPopupControl"), &desc,
                                    const_cast<char *>("set"));
        desc = {};
        desc.type = LWT_BOOLEAN;
        box = services.addControl(panel, const_cast<char *>("BoolControl"), &desc,
                                  const_cast<char *>("on"));
        desc.range = {LWT_RANGE, 200, 0, 360};
        angle = services.addControl(panel, const_cast<char *>("AngleControl"), &desc,
                                    const_cast<char *>("angle"));
        for (LWControl *control : {popup, box, angle}) hook(control);
        return panel;
    }
};

class StandInPanels : public ::testing::Test {
  protected:
    void SetUp() override { panels.setUser(&user); }
    PanelServices panels;
    ScriptedUser user;
    ModuleSide module;
};

TEST_F(StandInPanels, UserChangesReachTheEventFunctionAndCloseComesBeforeOpenReturns) {
    user.pick("set", "c").setBox("on", true).typeAngle("angle", 90).then([](PanelSession &s) {
        EXPECT_EQ(s.shown("set"), "c");
        EXPECT_EQ(s.shown("on"), "on");
        EXPECT_EQ(s.shown("angle"), "90");
        EXPECT_THAT(s.popupItems("set"), ElementsAre("a", "b", "c"));
    });
    LWPanelID panel = module.build(*panels.record());
    EXPECT_EQ(panels.record()->open(panel, PANF_BLOCKING), 1);
    EXPECT_THAT(module.heard,
                ElementsAre("open", "value 2", "value 1",
                            "angle " + std::to_string(std::numbers::pi / 2), "close"));
    EXPECT_THAT(panels.problems(), IsEmpty());
    panels.record()->destroy(panel);
    EXPECT_TRUE(panels.panels().empty());
}

TEST_F(StandInPanels, APickFindsItsItemAfterThePopupsItemsMoved) {
    auto swapEnds = [](PanelSession &) { std::swap(ModuleSide::names[0], ModuleSide::names[2]); };
    user.pick("set", "c").pick("set", "b").then(swapEnds).pick("set", "c").pick("set", "a");
    user.then(swapEnds).close();
    LWPanelID panel = module.build(*panels.record());
    panels.record()->open(panel, PANF_BLOCKING);
    EXPECT_THAT(module.heard,
                ElementsAre("open", "value 2", "value 1", "value 0", "value 2", "close"));
    EXPECT_THAT(panels.problems(), IsEmpty());
    panels.record()->destroy(panel);
}

TEST_F(StandInPanels, AngleValueIsSetAndReadInRadiansAndShownInDegrees) {
    LWPanelID panel = module.build(*panels.record());
    LWValue value = {};
    value.flt.type = LWT_FLOAT;
    value.flt.value = std::numbers::pi / 4;
    module.angle->set(module.angle, CTL_VALUE, &value);
    user.then([](PanelSession &s) { EXPECT_EQ(s.shown("angle"), "45"); });
    panels.record()->open(panel, PANF_BLOCKING);
    LWValue read = {};
    module.angle->get(module.angle, CTL_VALUE, &read);
    EXPECT_EQ(read.type, LWT_FLOAT);
    EXPECT_DOUBLE_EQ(read.flt.value, std::numbers::pi / 4);
    EXPECT_THAT(module.heard, ElementsAre("open", "close"));
}

// Read as typed, and typed back as read, to the bit: 15 in radians and back is not 15.
TEST_F(StandInPanels, AnAngleReadsAsTypedAndTypesBackAsRead) {
    LWPanelID panel = module.build(*panels.record());
    user.then([](PanelSession &s) {
        for (double degrees : {15.0, 29.5, 60.0, 89.5, 1e-9}) {
            s.typeAngle("angle", degrees);
            EXPECT_EQ(s.angleDegrees("angle"), degrees);
        }
        s.typeAngle("angle", 0.1 * 180 / std::numbers::pi);
        const double read = s.angleDegrees("angle");
        s.typeAngle("angle", read);
        EXPECT_EQ(s.angleDegrees("angle"), read);
    });
    panels.record()->open(panel, PANF_BLOCKING);
    EXPECT_THAT(panels.problems(), IsEmpty());
}

TEST_F(StandInPanels, ProtocolBreachesAreReported) {
    LWPanelID panel = module.build(*panels.record());
    LWValue value = {};
    value.intv = {LWT_INTEGER, 1, 0};
    module.angle->set(module.angle, CTL_VALUE, &value);
    panels.record()->open(panel, 0);
    panels.record()->destroy(panel);
    panels.record()->close(panel);
    EXPECT_THAT(panels.problems(),
                ElementsAre(HasSubstr("\"angle\" set tag 4: value record of type 2"),
                            HasSubstr("the panel is open"), HasSubstr("close: not a live panel")));
}

TEST_F(StandInPanels, UserCannotWorkGreyedOutControlsAndTheFailureEndsTheSession) {
    LWPanelID panel = module.build(*panels.record());
    module.box->draw(module.box, DR_GHOST);
    user.setBox("on", true).pick("set", "b");
    panels.record()->open(panel, PANF_BLOCKING);
    EXPECT_THAT(panels.problems(), ElementsAre("panel \"Test\": \"on\" is greyed out"));
    EXPECT_THAT(module.heard, ElementsAre("open", "close"));
    panels.record()->destroy(panel);
}

TEST_F(StandInPanels, UnknownControlTypesAreRefused) {
    LWPanelID panel = panels.record()->create(const_cast<char *>("T"), panels.record());
    LWPanControlDesc desc = {};
    desc.type = LWT_BOOLEAN;
    EXPECT_EQ(panels.record()->addControl(panel, const_cast<char *>("Knob"), &desc,
                                          const_cast<char *>("k")),
              nullptr);
    EXPECT_EQ(panels.record()->addControl(panel, const_cast<char *>("AngleControl"), &desc,
                                          const_cast<char *>("k")),
              nullptr);
    EXPECT_EQ(panels.problems().size(), 2u);
    panels.record()->destroy(panel);
}

}  // namespace
