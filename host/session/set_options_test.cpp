#include "host/session/set_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "host/formats/scratch_folder_testing.h"
#include "host/scene/polygon_sets.h"
#include "host/session/folded_scene_testing.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A triangle in smoothing group 4, one in groups 2 and 7, one in none.
constexpr char kSmoothedObj[] =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\ng Whole\nusemtl Metal\ns 4\nf 1 2 3\ns 7 2\nf 1 2 3\ns off\n"
    "f 1 2 3\n";

using SetOptions = ScratchFolderTest;

std::string ErrorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const std::exception &error) {
        return error.what();
    }
    return "no error";
}

TEST_F(SetOptions, SetsFromSmoothingGroupsReplaceTheGroupsParts) {
    std::shared_ptr<ObjectFile> file =
        LoadObjectWithSets(write("box.obj", kSmoothedObj), "smoothing-groups");
    PolygonSets sets = CollectPolygonSets(file->mesh);
    EXPECT_THAT(sets.names, ElementsAre("smoothing 4", "smoothing 2"));
    EXPECT_THAT(sets.setOf, ElementsAre(0, 1, -1));
    EXPECT_THAT(CollectPolygonSets(LoadObjectWithSets(path("box.obj"), "")->mesh).names,
                ElementsAre("Whole"));
}

TEST_F(SetOptions, SetsFromWhatAnObjectLacksAreRefusedSayingWhy) {
    std::string flat = write("flat.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nf 1 2 3\n");
    EXPECT_EQ(ErrorOf([&] { LoadObjectWithSets(flat, "smoothing-groups"); }),
              flat +
                  ": --sets-from smoothing-groups: no polygon is in one, so no polygon set "
                  "was made");
    EXPECT_EQ(ErrorOf([&] { LoadObjectWithSets(flat, "groups"); }),
              flat + ": --sets-from groups: no polygon is in one, so no polygon set was made");
    EXPECT_THAT(CollectPolygonSets(LoadObjectWithSets(flat, "surfaces")->mesh).names,
                ElementsAre("Default"));
    std::string lightwave = write("box.lwo", "");
    EXPECT_THAT(ErrorOf([&] { LoadObjectWithSets(lightwave, "groups"); }),
                HasSubstr("box.lwo: --sets-from groups: a LightWave object has no groups"));
}

TEST(SetOptionsOnAScene, APatternSaysHowManySetsItMatchedAndANameSaysNothing) {
    HostSession session(FoldedTwoSetScene(1.0), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p");
    const ObjectFile &file = *session.scene().items[0].file;
    EXPECT_THAT(ApplySetOptions(session, file, {"*:30", "Left:same", "R?ght:off"}, {}),
                ElementsAre("--set \"*:30\": 2 polygon sets matched",
                            "--set \"R?ght:off\": 1 polygon set matched"));
    EXPECT_THAT(ApplySetOptions(session, file, {"Left:20"}, {}), IsEmpty());
    EXPECT_EQ(ErrorOf([&] {
                  ApplySetOptions(session, file, {"Left", "Mid*:20"}, {});
              }),
              "--set \"Mid*:20\": no polygon set matches \"Mid*\" in Folded.lwo (sets: \"Left\", "
              "\"Right\")");
    EXPECT_THAT(ErrorOf([&] { ApplySetOptions(session, file, {"Left:sharp"}, {}); }),
                HasSubstr("Left:sharp"));
}

TEST(SetOptionsOnAScene, ARequestOnAnObjectWithoutSetsPointsToSetsFrom) {
    Scene scene;
    scene.items.push_back({"Plain", MakeObjectFile("plain.obj", MakeGrid(1, 1))});
    HostSession session(std::move(scene), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p");
    EXPECT_EQ(
        ErrorOf([&] { ApplySetOptions(session, *session.scene().items[0].file, {"*:45"}, {}); }),
        "--set \"*:45\": no polygon set matches \"*\" in plain.obj (no polygon sets); "
        "--sets-from shape or surfaces makes them");
}

}  // namespace
