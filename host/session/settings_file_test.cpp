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

// `text` with the first `from` made `to`.
std::string Edited(std::string text, const std::string &from, const std::string &to) {
    return text.replace(text.find(from), from.size(), to);
}

// The saved file's lines: 1 the first line, 2-17 the surface block, in it 10 the count of sets
// and 11-14 the set "Right": its name, enabled, angle and same-set-only.
TEST_F(SettingsFile, AFileThatIsNotWholeAndSoundAppliesNothingAndSaysWhichLineIsWrong) {
    const std::string text = SaveRightAt20(path("good.settings"));
    const std::string block = text.substr(text.find("{ Surface"));
    const std::string right = "      \"Right\"\n      1\n      3FD657184AE74487\n      0\n";
    const struct {
        std::string file;
        std::string refusal;
    } cases[] = {
        {Edited(text, "256", "257"), "surface \"Metal\": line 4: record version 257"},
        {Edited(text, "VelmoraSettings 1", "VelmoraSettings 12345678901234567890"),
         "line 1: \"12345678901234567890\" cannot be read as 1 I4 value"},
        {Edited(text, "      1\n      \"Right\"", "      0\n      \"Right\""),
         "surface \"Metal\": line 11: block \"PluginDataParam\" holds more than was read: lines "
         "11 to 14 would be lost"},
        {Edited(Edited(text, "      1\n      \"Right\"", "      2\n      \"Right\""), right,
                right + right),
         "surface \"Metal\": line 18: set 2 of 2 \"Right\" repeats set 1"},
        {Edited(text, "      1\n      3FD6", "      2\n      3FD6"),
         "surface \"Metal\": line 12: set 1 of 1 \"Right\": enabled is 2, not 0 (off) or 1 (on)"},
        {Edited(text, "      1\n      3FD6", "      -1\n      3FD6"),
         "surface \"Metal\": line 12: set 1 of 1"},
        {Edited(text, "      0\n    }", "      99\n    }"),
         "surface \"Metal\": line 14: set 1 of 1 \"Right\": sameSetOnly is 99"},
        {Edited(text, "3FD657184AE74487", "3FD657184AE74487AA"),
         "surface \"Metal\": line 13: \"AA\" after what was read would be lost"},
        {Edited(text, "{ Surface", "{ Surfa\ne"),
         "line 2: \"{ Surfa\" where a SetsFrom or Surface block should start"},
        {"VelmoraSettings 1\n\x01\x1b{ junk\n" + block,
         "line 2: \"\\x01\\x1b{ junk\" where a SetsFrom or Surface block should start"},
        {text + "}\n}\n", "line 18: a } that closes no block"},
        {text + block, "line 19: a second block for surface \"Metal\", whose first is at line 2"},
        {text + "SetsFrom \"surfaces\"\n", "line 18: SetsFrom after another block"},
        {"Right 20\n", "not a settings file"},
    };
    HostSession session(FoldedTwoSetScene(1.0), ModulePath());
    const ObjectFile &file = *session.scene().items[0].file;
    for (const auto &bad : cases) {
        const std::string name = write("bad.settings", bad.file);
        EXPECT_THAT([&] { LoadSettingsFile(session, file, name, {}); },
                    ThrowsMessage<std::runtime_error>(HasSubstr(name + ": " + bad.refusal)))
            << bad.file;
        EXPECT_EQ(session.instanceOf(file, "Metal"), nullptr);
    }
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
