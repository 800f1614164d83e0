#include "host/render/panel_picture.h"

#include <gtest/gtest.h>

#include "host/panels/options_dialog_labels.h"
#include "host/panels/panel_services.h"
#include "host/panels/scripted_user.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/host_session.h"

namespace {

using render::Image;
using render::PanelLayout;
using render::PanelPicture;
using render::PlacedControl;

struct Bounds {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;  // x1 and y1 past the last pixel
    bool empty() const { return x1 < 0; }
};

// The pixels where two pictures of one size differ.
Bounds Differences(const Image &a, const Image &b) {
    Bounds bounds;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (a.at(x, y) == b.at(x, y)) continue;
            bounds = {std::min(bounds.x0, x), std::min(bounds.y0, y), std::max(bounds.x1, x + 1),
                      std::max(bounds.y1, y + 1)};
        }
    return bounds;
}

// A panel of one check box, drawn on and off.
struct OneBox {
    OneBox(int x, int y) {
        panel.title = "Test";
        panel.geometry[PAN_W] = 300;
        panel.geometry[PAN_H] = 120;
        auto box = std::make_unique<HostControl>();
        box->type = "BoolControl";
        box->label = "enable";
        box->descriptor.type = LWT_BOOLEAN;
        box->kind = ControlValueKind::integer;
        box->x = x;
        box->y = y;
        panel.controls.push_back(std::move(box));
    }
    Image drawn(bool on) {
        panel.controls.front()->intValue = on;
        PanelServices services;
        return PanelPicture(PanelSession(services, panel));
    }
    HostPanel panel;
};

TEST(PanelPicture, AControlsStateIsDrawnInsideItsPlaceWhichFollowsTheModulesPosition) {
    OneBox at(40, 50), moved(120, 10);
    PlacedControl place = PanelLayout(at.panel).front();
    Bounds state = Differences(at.drawn(false), at.drawn(true));
    ASSERT_FALSE(state.empty());
    EXPECT_GE(state.x0, place.x);
    EXPECT_GE(state.y0, place.y);
    EXPECT_LE(state.x1, place.x + place.width);
    EXPECT_LE(state.y1, place.y + place.height);

    PlacedControl movedPlace = PanelLayout(moved.panel).front();
    EXPECT_EQ(movedPlace.x - place.x, 80);
    EXPECT_EQ(movedPlace.y - place.y, -40);
    Bounds movedState = Differences(moved.drawn(false), moved.drawn(true));
    EXPECT_EQ(movedState.x0 - state.x0, 80);
    EXPECT_EQ(movedState.y0 - state.y0, -40);
}

TEST(PanelPicture, TheModulesDialogIsDrawnControlByControlWhereItPlacedThem) {
    HostSession session(FoldedTwoSetScene(1.0), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p");
    const ObjectFile &file = *session.scene().items[0].file;
    std::vector<std::pair<int, int>> offsets;
    std::vector<bool> inked;
    Image picture, smoothingOff;
    auto look = [&](Image &into) {
        return [&](PanelSession &panel) {
            into = PanelPicture(panel);
            offsets.clear();
            inked.clear();
            for (const PlacedControl &place : PanelLayout(panel.panel())) {
                offsets.emplace_back(place.x - place.control->x, place.y - place.control->y);
                // Something is drawn on the window's colour at the control's place.
                bool any = false;
                for (int y = place.y; y < place.y + place.height; ++y)
                    for (int x = place.x; x < place.x + place.width; ++x)
                        any = any || !(into.at(x, y) == into.at(1, into.height - 1));
                inked.push_back(any);
            }
        };
    };
    ScriptedUser user;
    user.pick(dialog_label::SetPopup, "Left")
        .setBox(dialog_label::Enable, true)
        .then(look(picture))
        .setBox(dialog_label::Enable, false)
        .then(look(smoothingOff));
    session.editOptions(session.attach(file, "Metal"), user);

    ASSERT_EQ(offsets.size(), 5u);  // popup, rule, two check boxes and the angle
    for (const auto &offset : offsets) EXPECT_EQ(offset, offsets.front());
    EXPECT_GT(offsets.front().second, 0) << "below the title bar";
    for (bool any : inked) EXPECT_TRUE(any);
    EXPECT_GT(render::LargestChannelDifference(picture, smoothingOff), 0);
}

}  // namespace
