#include "host/session/scripted_set_edits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/session/folded_scene_testing.h"
#include "host/session/set_settings_testing.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

SetRequest TurnOff(const std::string &name) {
    return {name, std::nullopt, std::nullopt, false};
}

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

TEST(ScriptedSetEdits, TheDialogTakesEachRequestOnTheSurfaceHoldingTheSet) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    std::vector<SetRequest> requests = {{"Left", 30, true, true}, {"Right", 12.5, false, false}};
    EXPECT_THAT(ApplySetRequests(session, file, requests, {}).unmatched, IsEmpty());
    LWInstance instance = session.instanceOf(file, "Metal");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(30.0) + " same");
    EXPECT_EQ(ShownSettings(session, instance, "Right"), "off");
}

TEST(ScriptedSetEdits, ASetNoAdmittedSurfaceHoldsIsAWarningNamingTheSetsThatExist) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_THAT(ApplySetRequests(session, file, {{"Middle"}}, {}).unmatched,
                ElementsAre("no polygon set named \"Middle\" in Folded.lwo (sets: \"Left\", "
                            "\"Right\")"));
    EXPECT_THAT(ApplySetRequests(session, file, {{"Left"}}, {"Glass"}).unmatched,
                ElementsAre("no polygon set named \"Left\" on surface \"Glass\" in Folded.lwo "
                            "(no polygon sets)"));
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
}

TEST(ScriptedSetEdits, ARequestChangesOnlyWhatItNames) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    ApplySetRequests(session, file, {{"Left", 30, true, true}, {"Right", 20, false, true}}, {});
    LWInstance instance = session.instanceOf(file, "Metal");
    ApplySetRequests(session, file, {{"Left", 12}}, {});
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(12.0) + " same");
    ApplySetRequests(session, file, {TurnOff("Left")}, {});
    EXPECT_EQ(ShownSettings(session, instance, "Left"), "off");
    // Turned on again, the set shows the angle and "same set" it had before it was turned off.
    ApplySetRequests(session, file, {{"Left"}}, {});
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(12.0) + " same");
    ApplySetRequests(session, file, {{"Left", std::nullopt, false}}, {});
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(12.0));
    EXPECT_EQ(ShownSettings(session, instance, "Right"), std::to_string(20.0));
}

TEST(ScriptedSetEdits, APatternReachesEveryMatchingSetAndCountsThem) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    SetRequestOutcome outcome =
        ApplySetRequests(session, file, {{"*", 40, true}, {"R?ght", 25}, {"Q*"}}, {});
    EXPECT_THAT(outcome.setsMatched, ElementsAre(2, 1, 0));
    EXPECT_THAT(outcome.unmatched,
                ElementsAre("no polygon set matches \"Q*\" in Folded.lwo (sets: \"Left\", "
                            "\"Right\")"));
    LWInstance instance = session.instanceOf(file, "Metal");
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(40.0) + " same");
    EXPECT_EQ(ShownSettings(session, instance, "Right"), std::to_string(25.0) + " same");
}

TEST(ScriptedSetEdits, RequestsOnOneSetActAsOneWhereTheLastWinsPerField) {
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    std::vector<SetRequest> requests = {
        {"*", 40, true}, TurnOff("Left"), {"*", std::nullopt, false}, {"Right", 10}};
    for (int repeat = 0; repeat < 1000; ++repeat) requests.push_back({"R*", std::nullopt, true});
    SetRequestOutcome outcome = ApplySetRequests(session, file, requests, {});
    EXPECT_EQ(outcome.setsMatched.size(), requests.size());
    EXPECT_THAT(outcome.unmatched, IsEmpty());
    LWInstance instance = session.instanceOf(file, "Metal");
    EXPECT_EQ(ShownSettings(session, instance, "Left"), std::to_string(40.0));
    EXPECT_EQ(ShownSettings(session, instance, "Right"), std::to_string(10.0) + " same");
}

}  // namespace

namespace {

TEST(LongSetListWarning, ComesFromTenThousandSetsWithTheirCost) {
    EXPECT_EQ(LongSetListWarning("a.obj", "Grid", LongSetList - 1), std::nullopt);
    EXPECT_THAT(LongSetListWarning("a.obj", "Grid", 20000).value_or(""),
                testing::StartsWith("a.obj: surface \"Grid\": storing the settings of 20000 "
                                    "polygon sets takes about 3 seconds"));
    EXPECT_THAT(LongSetListWarning("a.obj", "Grid", 200000).value_or(""),
                testing::HasSubstr("about 6 minutes"));
}

}  // namespace
