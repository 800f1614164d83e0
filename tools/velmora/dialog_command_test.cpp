#include "tools/velmora/dialog_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
    render::Image left = DialogPicture(folded.session, folded.file(), "", "Left");
    render::Image right = DialogPicture(folded.session, folded.file(), "Metal", "Right");
    render::Image first = DialogPicture(folded.session, folded.file(), "Metal", std::nullopt);
    EXPECT_GT(left.width, 0);
    EXPECT_EQ(left.width, right.width);
    EXPECT_GT(render::LargestChannelDifference(left, right), 0);
    EXPECT_EQ(render::LargestChannelDifference(left, first), 0) << "the first set is Left";

    ApplySetRequests(folded.session, folded.file(), {{"Left", 60, true, true}}, {});
    EXPECT_GT(render::LargestChannelDifference(
                  left, DialogPicture(folded.session, folded.file(), "", "Left")),
              0);
}

TEST(DialogCommand, ASetTheSurfaceLacksIsAnErrorListingTheSetsItHas) {
    Folded folded;
    try {
        DialogPicture(folded.session, folded.file(), "", "Middle");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(),
                     "--show \"Middle\": no polygon set named \"Middle\" on surface \"Metal\" in "
                     "Folded.lwo; sets: Metal: \"Left\", \"Right\"");
    }
}

}  // namespace
