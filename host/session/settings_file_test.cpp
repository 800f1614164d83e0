#include "host/session/settings_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "host/formats/scratch_folder_testing.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/set_settings_testing.h"

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

using SettingsFile = ScratchFolderTest;

// Saves "Right" at 20 degrees, smoothed within its set, to `saved`; returns the file's text.
std::string SaveRightAt20(const std::string &saved) {
    {
        HostSession session(FoldedTwoSetScene(1.0), ModulePath());
        const ObjectFile &file = *session.scene().items[0].file;
        ApplySetRequests(session, file, {{"Right", 20, false, true}}, {});
        SaveSettingsFile(session, file, saved);
    }
    std::ifstream in(saved);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST_F(SettingsFile, SettingsComeBackFromTheFileTheyWereSavedIn) {
    SaveRightAt20(path("folded.settings"));
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    LoadSettingsFile(session, file, path("folded.settings"), {"Glass"});
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
    LoadSettingsFile(session, file, path("folded.settings"), {});
    LWInstance instance = session.instanceOf(file, "Metal");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(ShownSettings(session, instance, "Right"), std::to_string(20.0));
}

TEST_F(SettingsFile, AFileForAnotherObjectIsRefusedNamingFileAndSurface) {
    Scene scene = FoldedTwoSetScene(1.0);
    scene.items[0].file->surfaces = {"Steel"};
    for (MeshPolygon &polygon : scene.items[0].file->mesh.polygons) polygon.surface = "Steel";
    {
        HostSession session(scene, ModulePath());
        const ObjectFile &file = *session.scene().items[0].file;
        session.attach(file, "Steel");
        SaveSettingsFile(session, file, path("steel.settings"));
    }
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    std::string steel = path("steel.settings");
    EXPECT_THAT([&] { LoadSettingsFile(session, file, steel, {}); },
                ThrowsMessage<std::runtime_error>(
                    HasSubstr(steel + ": surface \"Steel\" is not a surface of Folded.lwo")));
    std::string missing = path("none.settings");
    EXPECT_THAT([&] { LoadSettingsFile(session, file, missing, {}); },
                ThrowsMessage<std::runtime_error>(HasSubstr(missing)));
}

TEST_F(SettingsFile, AFileNamingSetsTheObjectLacksIsRefusedListingTheSetsItHas) {
    SaveRightAt20(path("folded.settings"));
    Scene renamed = FoldedTwoSetScene(1.0);
    renamed.items[0].file->mesh.polygons[1].part = "Right side";
    HostSession session(renamed, ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_THAT([&] { LoadSettingsFile(session, file, path("folded.settings"), {}); },
                ThrowsMessage<std::runtime_error>(HasSubstr(
                    path("folded.settings") +
                    ": surface \"Metal\": polygon set \"Right\" is not among the object's (its "
                    "sets: \"Left\", \"Right side\")")));
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
}

TEST_F(SettingsFile, RecordsWhatThePolygonSetsWereMadeOf) {
    SaveRightAt20(path("parts.settings"));
    EXPECT_EQ(SettingsSetsFrom(path("parts.settings")), std::nullopt);
    {
        HostSession session(FoldedTwoSetScene(1.0), ModulePath());
        const ObjectFile &file = *session.scene().items[0].file;
        ApplySetRequests(session, file, {{"Right", 20, false, true}}, {});
        SaveSettingsFile(session, file, path("surfaces.settings"), "surfaces");
    }
    EXPECT_EQ(SettingsSetsFrom(path("surfaces.settings")), "surfaces");
    // The line does not keep the file from loading as before.
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    LoadSettingsFile(session, file, path("surfaces.settings"), {});
    EXPECT_EQ(ShownSettings(session, session.instanceOf(file, "Metal"), "Right"),
              std::to_string(20.0));
}

TEST_F(SettingsFile, AFileThatIsNotWholeAndSoundAppliesNothing) {
    std::string text = SaveRightAt20(path("good.settings"));
    std::string block = text.substr(text.find("{ Surface"));
    std::string later = block;
    later.replace(later.find("256"), 3, "257");
    write("bad.settings", text + later);
    write("other.txt", "Right 20\n");

    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_THAT([&] { LoadSettingsFile(session, file, path("bad.settings"), {}); },
                ThrowsMessage<std::runtime_error>(
                    HasSubstr(path("bad.settings") + ": surface \"Metal\": record version 257")));
    EXPECT_THAT(
        [&] { LoadSettingsFile(session, file, path("other.txt"), {}); },
        ThrowsMessage<std::runtime_error>(HasSubstr(path("other.txt") + ": not a settings file")));
    EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
}

// Files saved before the first line named the format hold only surface blocks.
TEST_F(SettingsFile, AFileWithoutItsFirstLineStillLoadsWhenItStartsWithASurface) {
    std::string text = SaveRightAt20(path("new.settings"));
    write("old.settings", text.substr(text.find("{ Surface")));

    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    LoadSettingsFile(session, file, path("old.settings"), {});
    EXPECT_NE(session.instanceOf(file, "Metal"), nullptr);
}

}  // namespace
