#include "panel/panel_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/panels/panel_services.h"
#include "host/panels/scripted_user.h"
#include "host/services/service_table.h"
#include "module/host_services.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::uint32_t fakeNow = 0;
std::uint32_t FakeTicks() {
    return fakeNow;
}

// Records what reaches the virtual operations and shows the framework's state.
class RecordingWindow : public PanelWindow {
  public:
    RecordingWindow() : PanelWindow("Recorder", nullptr) {
        width = 300;
        height = 24;
    }
    std::vector<std::string> events;
    LWControl *box = nullptr;
    int controlsMade = 0;

    bool held(int key) const {
        if (key == LWDK_ALT) return held1060;
        if (key == LWDK_SHIFT) return held1061;
        return key == LWDK_CTRL && held1062;
    }

  protected:
    void OnOpen() override { events.push_back("open"); }
    void OnClose() override { events.push_back("close"); }
    void OnMouseDown(int x, int y, int, bool doubleClick) override {
        events.push_back("down " + std::to_string(x) + "," + std::to_string(y) +
                         (doubleClick ? " double" : ""));
    }
    void OnMouseUp(int x, int y, int) override {
        events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    }
    void OnKeyDown(int key) override {
        events.push_back("key " + std::to_string(key) + (held(key) ? " held" : ""));
    }
    void OnKeyUp(int key) override {
        events.push_back("keyup " + std::to_string(key) + (held(key) ? " held" : ""));
    }
    void OnControlEvent(LWControl *control) override {
        events.push_back(control == box ? "box changed" : "other control");
    }
    void CreateControls() override {
        ++controlsMade;
        LWPanControlDesc desc = {};
        desc.type = LWT_BOOLEAN;
        box = services->addControl(panel, const_cast<char *>("BoolControl"), &desc,
                                   const_cast<char *>("box"));
        HookControl(box);
    }
};

class PanelFramework : public ::testing::Test {
  protected:
    void SetUp() override {
        panels.registerIn(table);
        panels.setUser(&user);
        hostServices = {};
        hostServices.globalFunc = table.global();
        panelTickSource = FakeTicks;
        fakeNow = 100000;
    }
    void TearDown() override {
        hostServices = {};
        panelTickSource = TickCount;
        EXPECT_THAT(panels.problems(), IsEmpty());
    }

    ServiceTable table;
    PanelServices panels;
    ScriptedUser user;
};

TEST_F(PanelFramework, FirstOpenRegistersInOrderAndSetsTheSizeTwice) {
    {
        RecordingWindow window;
        EXPECT_EQ(panels.record()->globalFun, table.global());
        EXPECT_THAT(table.requests(), ElementsAre(ServiceTable::Request{"LWPanelServices", 0}));
        window.Open(PANF_BLOCKING | PANF_FRAME);
        EXPECT_THAT(window.events, ElementsAre("open", "close"));
        EXPECT_EQ(panels.panels().front()->openFlags, 0x9D);
        panels.forgetCalls();
    }
    EXPECT_THAT(panels.calls(), ElementsAre("close", "destroy"));
    EXPECT_TRUE(panels.panels().empty());
}

TEST_F(PanelFramework, CallOrderOfTheFirstOpen) {
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    EXPECT_THAT(panels.calls(),
                ElementsAre("create \"Recorder\"", "set PAN_USERDATA", "set PAN_USEROPEN",
                            "set PAN_USERCLOSE", "set PAN_USERACTIVATE", "set PAN_MOUSEBUTTON",
                            "set PAN_MOUSEMOVE", "set PAN_USERKEYS", "set PAN_USERKEYUPS",
                            "set PAN_USERDRAW", "addControl BoolControl \"box\"", "set PAN_W 300",
                            "set PAN_H 24", "open 0x99", "set PAN_W 300", "set PAN_H 24"));
    EXPECT_EQ(panels.panels().front()->userData, static_cast<PanelWindow *>(&window));
}

TEST_F(PanelFramework, SecondOpenReusesThePanelAndItsControls) {
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    panels.forgetCalls();
    window.Open(PANF_BLOCKING);
    EXPECT_EQ(window.controlsMade, 1);
    EXPECT_EQ(panels.panels().size(), 1u);
    EXPECT_THAT(panels.calls(), ElementsAre("set PAN_W 300", "set PAN_H 24", "open 0x99",
                                            "set PAN_W 300", "set PAN_H 24"));
}

TEST_F(PanelFramework, NeverOpenedWindowMakesNoHostCall) {
    { RecordingWindow window; }
    EXPECT_THAT(panels.calls(), IsEmpty());
}

TEST_F(PanelFramework, WithoutPanelServicesOrPanelNothingHappens) {
    table.switchOff("LWPanelServices");
    {
        RecordingWindow window;
        window.Open(PANF_BLOCKING);
        EXPECT_THAT(window.events, IsEmpty());
    }
    table.switchOn("LWPanelServices");
    panels.refuseCreate(true);
    {
        RecordingWindow window;
        window.Open(PANF_BLOCKING);
        EXPECT_EQ(window.controlsMade, 0);
    }
    EXPECT_THAT(panels.calls(), ElementsAre("create \"Recorder\""));
}

TEST_F(PanelFramework, HookedControlCarriesTheWholeObjectPointer) {
    RecordingWindow window;
    user.setBox("box", true).setBox("box", false);
    window.Open(PANF_BLOCKING);
    const HostControl &box = *panels.panels().front()->controls.front();
    EXPECT_EQ(box.userData, static_cast<PanelWindow *>(&window));
    EXPECT_THAT(window.events, ElementsAre("open", "box changed", "box changed", "close"));
}

TEST_F(PanelFramework, DoubleClickNeedsTwoPixelsAndLessThan500Milliseconds) {
    auto pressAt = [](int x, int y, std::uint32_t now) {
        return [=](PanelSession &session) {
            fakeNow = now;
            session.pressMouse(x, y);
        };
    };
    user.then(pressAt(10, 10, 100000))
        .then(pressAt(12, 8, 100499))   // 2 px, 499 ms: double
        .then(pressAt(15, 8, 100600))   // 3 px in x: not
        .then(pressAt(15, 11, 100700))  // 3 px in y: not
        .then(pressAt(15, 11, 101200))  // 500 ms: not
        .then(pressAt(15, 11, 101201))  // quick triple click: both later presses double
        .then(pressAt(15, 11, 101202));
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    EXPECT_THAT(window.events,
                ElementsAre("open", "down 10,10", "down 12,8 double", "down 15,8", "down 15,11",
                            "down 15,11", "down 15,11 double", "down 15,11 double", "close"));
}

TEST_F(PanelFramework, ReleaseLeavesTheLastPressAlone) {
    user.then([](PanelSession &session) {
        fakeNow = 5000;
        session.pressMouse(40, 40);
        session.releaseMouse(90, 90);
        fakeNow = 5100;
        session.pressMouse(41, 41);
    });
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    EXPECT_THAT(window.events,
                ElementsAre("open", "down 40,40", "up 90,90", "down 41,41 double", "close"));
}

TEST_F(PanelFramework, FirstPressAfterOpenComparesWithTimeZero) {
    user.then([](PanelSession &session) {
        fakeNow = 499;
        session.pressMouse(0, 0);
    });
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    user = ScriptedUser();
    user.then([](PanelSession &session) {
        fakeNow = 700;
        session.pressMouse(0, 0);
    });
    window.Open(PANF_BLOCKING);
    EXPECT_THAT(window.events,
                ElementsAre("open", "down 0,0 double", "close", "open", "down 0,0", "close"));
}

TEST_F(PanelFramework, HeldKeyFlagsFollowPressAndReleaseAndOpenForgetsThem) {
    user.pressKey(LWDK_ALT)
        .releaseKey(LWDK_ALT)
        .pressKey(LWDK_SHIFT)
        .pressKey(LWDK_CTRL)
        .pressKey('a');
    RecordingWindow window;
    window.Open(PANF_BLOCKING);
    EXPECT_THAT(window.events, ElementsAre("open", "key 4192 held", "keyup 4192", "key 4193 held",
                                           "key 4194 held", "key 97", "close"));
    EXPECT_TRUE(window.held(LWDK_SHIFT));
    user = ScriptedUser();
    window.Open(PANF_BLOCKING);
    EXPECT_FALSE(window.held(LWDK_SHIFT));
    EXPECT_FALSE(window.held(LWDK_CTRL));
}

}  // namespace
