#include "host/session/opened_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/formats/scratch_folder_testing.h"
#include "host/session/set_settings_testing.h"
#include "host/session/settings_file.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Two groups on one surface, each also its own smoothing group.
constexpr char kTwoGroups[] =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 1 1\nusemtl Metal\ng Top\ns 1\nf 1 2 3\nf 1 3 4\n"
    "g Side\ns 2\nf 4 3 5\n";

class OpenedObjects : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        write("two.obj", kTwoGroups);
    }
    OpenRequest request() const {
        OpenRequest asked;
        asked.object = path("two.obj");
        asked.modulePath = std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
        return asked;
    }
    static std::string Shown(OpenedObject &opened, const std::string &set) {
        LWInstance instance = opened.session().instanceOf(opened.file(), "Metal");
        return instance ? ShownSettings(opened.session(), instance, set) : "no shader";
    }
};

TEST_F(OpenedObjects, ASettingsFileAppliesBeforeTheSetRequests) {
    OpenRequest saving = request();
    saving.setRequests = {"Top:30:same", "Side:40"};
    {
        OpenedObject opened(saving);
        SaveSettingsFile(opened.session(), opened.file(), path("two.settings"));
    }
    OpenRequest loading = request();
    loading.settingsFile = path("two.settings");
    loading.setRequests = {"S*:50"};
    OpenedObject opened(loading);
    EXPECT_THAT(opened.sets().names, ElementsAre("Top", "Side"));
    EXPECT_THAT(opened.notes(), ElementsAre("--set \"S*:50\": 1 polygon set matched"));
    EXPECT_EQ(Shown(opened, "Top"), "30.000000 same");
    EXPECT_EQ(Shown(opened, "Side"), "50.000000");
}

TEST_F(OpenedObjects, AnUnknownSurfaceIsRefusedNamingThoseThereAre) {
    OpenRequest asked = request();
    asked.surface = "Glass";
    EXPECT_THAT(
        [&] { OpenedObject opened(asked); },
        ::testing::ThrowsMessage<std::runtime_error>(::testing::AllOf(
            HasSubstr("no surface named \"Glass\" in "), HasSubstr(" (surfaces: \"Metal\")"))));
}

// New sets start from the module's settings of the sets they replace where the names stay.
TEST_F(OpenedObjects, NewSetsKeepTheSettingsOfSetsOfTheSameName) {
    OpenRequest asked = request();
    asked.setRequests = {"Top:20:same"};
    auto opened = std::make_unique<OpenedObject>(asked);
    std::unique_ptr<OpenedObject> byGroup = OpenedObject::WithSetsFrom(std::move(opened), "groups");
    EXPECT_THAT(byGroup->sets().names, ElementsAre("Top", "Side"));
    EXPECT_EQ(Shown(*byGroup, "Top"), "20.000000 same");
    EXPECT_EQ(Shown(*byGroup, "Side"), "off");
    std::unique_ptr<OpenedObject> bySurface =
        OpenedObject::WithSetsFrom(std::move(byGroup), "surfaces");
    EXPECT_THAT(bySurface->sets().names, ElementsAre("Metal"));
    EXPECT_EQ(Shown(*bySurface, "Metal"), "off");
}

TEST_F(OpenedObjects, StoredSettingsCanBeLeftOut) {
    OpenRequest asked = request();
    asked.storedSettings = false;
    asked.setRequests = {"Side:10"};
    OpenedObject opened(asked);
    EXPECT_EQ(Shown(opened, "Side"), "10.000000");
    EXPECT_EQ(opened.hostNormals().size(), 9u);
}

}  // namespace
