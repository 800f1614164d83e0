#include "host/session/host_session.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"
#include "host/session/folded_scene_testing.h"

namespace {

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

TEST(HostSession, AttachesOneInstancePerSurfaceWithTheSurfaceAsContext) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
    LWInstance instance = session.attach(file, "Metal");
    EXPECT_EQ(session.attach(file, "Metal"), instance);
    EXPECT_EQ(session.instanceOf(file, "Metal"), instance);
    EXPECT_EQ(session.hooksOf(file).size(), 1u);
    EXPECT_THROW(session.attach(file, "Wood"), std::runtime_error);
}

TEST(HostSession, TheOptionsDialogOpensOnTheSurfacesSets) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    LWInstance instance = session.attach(*session.scene().items[0].file, "Metal");
    std::vector<std::string> shown;
    ScriptedUser look;
    look.then([&](PanelSession &panel) { shown = panel.popupItems(dialog_label::SetPopup); });
    session.editOptions(instance, look);
    EXPECT_EQ(shown, (std::vector<std::string>{"(none)", "Left", "Right"}));

    ScriptedUser wrong;
    wrong.pick(dialog_label::SetPopup, "Middle");
    EXPECT_THROW(session.editOptions(instance, wrong), std::runtime_error);
}

}  // namespace
