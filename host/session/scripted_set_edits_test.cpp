#include "host/session/scripted_set_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/session/folded_scene_testing.h"
#include "host/session/set_settings_testing.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

TEST(ScriptedSetEdits, TheDialogTakesEachRequestOnTheSurfaceHoldingTheSet) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    std::vector<SetRequest> requests = {{"Left", 30, true, true}, {"Right", 12.5, false, false}};
    EXPECT_THAT(ApplySetRequests(session, file, requests, {}), IsEmpty());
    LWInstance instance = session.instanceOf(file, "Metal");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(30.0) + " same");
    EXPECT_EQ(ShownSettings(session, instance, "Right"), "off");
}

TEST(ScriptedSetEdits, ASetNoAdmittedSurfaceHoldsIsAWarningNamingTheSetsThatExist) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_THAT(ApplySetRequests(session, file, {{"Middle"}}, {}),
                ElementsAre("no polygon set named \"Middle\" in Folded.lwo; sets: Metal: "
                            "\"Left\", \"Right\""));
    EXPECT_THAT(ApplySetRequests(session, file, {{"Left"}}, {"Glass"}),
                ElementsAre("no polygon set named \"Left\" on surface \"Glass\" in Folded.lwo; "
                            "sets: Metal: \"Left\", \"Right\""));
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
}

}  // namespace
