#include "tools/velmora/dialog_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/panels/options_dialog_labels.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/scripted_set_edits.h"

namespace {

struct Folded {
    Folded() : session(FoldedTwoSetScene(1.0), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p") {}
    const ObjectFile &file() const { return *session.scene().items[0].file; }
    HostSession session;
};

TEST(DialogCommand, TheDialogShowsTheSetPickedWithTheSettingsItWasGiven) {
    Folded folded;
    ApplySetRequests(folded.session, folded.file(), {{"Left", 30, true, true}}, {});
    DialogView left = ViewDialog(folded.session, folded.file(), "", "Left");
    EXPECT_EQ(left.shown, (std::map<std::string, std::string>{{dialog_label::SetPopup, "Left"},
                                                              {dialog_label::Enable, "on"},
                                                              {dialog_label::Angle, "30"},
                                                              {dialog_label::SameSetOnly, "on"}}));
    DialogView right = ViewDialog(folded.session, folded.file(), "Metal", "Right");
    EXPECT_EQ(right.shown.at(dialog_label::SetPopup), "Right");
    EXPECT_EQ(right.shown.at(dialog_label::Enable), "off");
    // The picture draws what the controls show.
    EXPECT_GT(left.picture.width, 0);
    EXPECT_EQ(left.picture.width, right.picture.width);
    EXPECT_GT(render::LargestChannelDifference(left.picture, right.picture), 0);
    DialogView first = ViewDialog(folded.session, folded.file(), "Metal", std::nullopt);
    EXPECT_EQ(first.shown, left.shown) << "the first set is Left";
    EXPECT_EQ(render::LargestChannelDifference(left.picture, first.picture), 0);

    ApplySetRequests(folded.session, folded.file(), {{"Left", 60, true, true}}, {});
    DialogView again = ViewDialog(folded.session, folded.file(), "", "Left");
    EXPECT_EQ(again.shown.at(dialog_label::Angle), "60");
    EXPECT_GT(render::LargestChannelDifference(left.picture, again.picture), 0);
}

TEST(DialogCommand, ASetTheSurfaceLacksIsAnErrorListingTheSetsItHas) {
    Folded folded;
    try {
        ViewDialog(folded.session, folded.file(), "", "Middle");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(),
                     "--show \"Middle\": no polygon set named \"Middle\" on surface \"Metal\" in "
                     "Folded.lwo (sets: \"Left\", \"Right\")");
    }
}

}  // namespace
