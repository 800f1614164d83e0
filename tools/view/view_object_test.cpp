#include "tools/view/view_object.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "host/formats/lwo2_writer.h"
#include "host/formats/object_reader.h"
#include "host/scene/mesh_generators.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/corner_normals.h"

namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::Pair;

// Four bands of quads around a torus: "band0" and "band2" of surface "Default", "band1" and
// "band3" of "Other"; band0 and band2 touch no common point.
Scene BandedTorus() {
    Scene scene;
    auto file = MakeObjectFile("Torus.lwo", MakeTorus(24, 8, 4));
    file->surfaces = {"Default", "Other"};
    scene.items.push_back({"Torus", file});
    return scene;
}

class ViewObjectTest : public ::testing::Test {
  protected:
    HostSession session{BandedTorus(), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    const ObjectItem &item = session.scene().items[0];
    geometry::SmoothingAngles smoothing{89.5, {}};
    ViewObject object{session, smoothing, 2};

    // What sampling the whole mesh again gives, as the view rounds it.
    json FreshModuleNormals() {
        std::vector<CornerNormal> all =
            SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 1);
        json flat = json::array();
        for (const CornerNormal &n : all)
            for (double v : {n.x, n.y, n.z}) flat.push_back(std::round(v * 1e5) / 1e5);
        return flat;
    }

    // How the object refuses `edit`: the status and the message, or 0 when it takes it.
    std::pair<int, std::string> RefusalOf(const SetEdit &edit) {
        try {
            object.edit(edit);
        } catch (const ViewRequestError &error) {
            return {error.status, error.what()};
        }
        return {0, ""};
    }
};

TEST_F(ViewObjectTest, DescribesTheMeshItsNormalsAndItsSets) {
    json described = object.describe();
    std::size_t polygons = item.file->mesh.polygons.size();
    EXPECT_EQ(described["polygonStarts"].size(), polygons + 1);
    EXPECT_EQ(described["corners"].size(), 4 * polygons);
    EXPECT_EQ(described["hostNormals"].size(), 12 * polygons);
    EXPECT_EQ(described["points"].size(), 3 * item.file->mesh.points.size());
    // Without the shader the module's normals are the host's.
    EXPECT_EQ(described["moduleNormals"], described["hostNormals"]);
    EXPECT_EQ(described["sets"].size(), 4u);
    json other = described["surfaces"][1];
    EXPECT_EQ(other["name"], "Other");
    EXPECT_EQ(other["shader"], false);
    EXPECT_EQ(other["sets"][0]["name"], "band1");
    EXPECT_EQ(other["sets"][0]["set"], 1);
    EXPECT_EQ(other["sets"][0]["polygons"], 48);
    EXPECT_EQ(described["difference"]["colours"].size(), 31u);
}

TEST_F(ViewObjectTest, AnEditAnswersExactlyTheCornersThatChanged) {
    json before = object.describe()["moduleNormals"];
    json answer = object.edit({"Default", "band0", true, 0.0, std::nullopt});
    EXPECT_EQ(answer["settings"]["enabled"], true);
    EXPECT_EQ(answer["settings"]["angle"], 0.0);
    json after = FreshModuleNormals();
    EXPECT_EQ(object.describe()["moduleNormals"], after);

    std::vector<std::size_t> changed;
    for (std::size_t corner = 0; 3 * corner < after.size(); ++corner)
        for (std::size_t k = 0; k < 3; ++k)
            if (after[3 * corner + k] != before[3 * corner + k]) {
                changed.push_back(corner);
                break;
            }
    EXPECT_FALSE(changed.empty());
    EXPECT_EQ(answer["corners"].get<std::vector<std::size_t>>(), changed);
}

TEST_F(ViewObjectTest, WhatAnEditLeavesOutStaysAsItWas) {
    object.edit({"Default", "band2", true, 30.0, true});
    json settings = object.edit({"Default", "band2", std::nullopt, 45.0, std::nullopt})["settings"];
    EXPECT_EQ(settings["enabled"], true);
    EXPECT_EQ(settings["angle"], 45.0);
    EXPECT_EQ(settings["sameSetOnly"], true);
    settings = object.edit({"Default", "band2", false, std::nullopt, std::nullopt})["settings"];
    EXPECT_EQ(settings["enabled"], false);
    EXPECT_EQ(settings["angle"], 45.0);
    // Turned off, the set is smoothed by the host again.
    EXPECT_EQ(object.describe()["moduleNormals"], object.describe()["hostNormals"]);
}

TEST_F(ViewObjectTest, RefusesWhatTheObjectLacksNamingWhatItHas) {
    EXPECT_THAT(RefusalOf({"Glass", "band0"}), Pair(404, HasSubstr("\"Default\", \"Other\"")));
    EXPECT_THAT(RefusalOf({"Other", "band0"}), Pair(404, HasSubstr("\"band1\", \"band3\"")));
    // A name is escaped and cut short: a NUL would end the message, and a long one flood it.
    EXPECT_THAT(RefusalOf({std::string("Gl\0ss", 5), "band0"}).second,
                HasSubstr("\"Gl\\x00ss\" in Torus.lwo (surfaces:"));
    EXPECT_LT(RefusalOf({"Default", std::string(10000, '\x1b')}).second.size(), 400u);
    for (double angle : {-1.0, 360.5, std::nan("")})
        EXPECT_EQ(RefusalOf({"Default", "band0", true, angle, std::nullopt}).first, 400) << angle;
}

// As `parts` reports a proposed set: its kind and why, beside its name.
TEST(ViewObjectProposals, TheObjectNamesTheKindOfEachProposedSet) {
    HostSession session{BandedTorus(), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    SetProposal proposal;
    proposal.sets.push_back(
        {.name = "band2", .kind = SetKind::round, .reason = "facets turning about one axis"});
    ViewObject object{session, {89.5, {}}, 1, proposal};
    json sets = object.describe()["sets"];
    EXPECT_FALSE(sets[0].contains("proposed"));
    EXPECT_EQ(sets[2]["name"], "band2");
    EXPECT_EQ(sets[2]["proposed"]["kind"], "Round");
    EXPECT_EQ(sets[2]["proposed"]["reason"], "facets turning about one axis");
    EXPECT_EQ(sets[2]["proposed"]["summary"], ProposedSetSummary(proposal.sets[0]));
}

// A set name is taken as it is, never as a pattern addressing other sets.
TEST_F(ViewObjectTest, ANameWithWildcardsIsNoPattern) {
    EXPECT_EQ(RefusalOf({"Default", "band*"}).first, 404);
}

// The banded torus as an older object names it, in Latin-1: surface "M\xe9tal" in place of
// "Default", its band0 "Caf\xe9"; in "Other", band1 "Caf\xc3\xa9" in UTF-8 and band3 its
// Latin-1 twin "Caf\xe9".
Scene Latin1Torus() {
    Scene scene = BandedTorus();
    ObjectFile &file = *scene.items[0].file;
    file.surfaces[0] = "M\xe9tal";
    const std::map<std::string, std::string> renamed = {
        {"band0", "Caf\xe9"}, {"band1", "Caf\xc3\xa9"}, {"band3", "Caf\xe9"}};
    for (MeshPolygon &polygon : file.mesh.polygons) {
        if (polygon.surface == "Default") polygon.surface = file.surfaces[0];
        if (auto name = renamed.find(polygon.part.value_or("")); name != renamed.end())
            polygon.part = name->second;
    }
    return scene;
}

// What the view shows of the object and does with an edit; answers the object as Apply writes it
// with the settings after the edit.
std::vector<std::uint8_t> ShownAndEdited(Scene scene) {
    HostSession session{std::move(scene), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    ViewObject object{session, {89.5, {}}, 1};
    json described = json::parse(object.describe().dump());
    EXPECT_EQ(described["surfaces"][0]["name"], "M\xc3\xa9tal");
    EXPECT_EQ(described["surfaces"][0]["sets"][0]["name"], "Caf\xc3\xa9");
    json answer = object.edit({"M\xc3\xa9tal", "Caf\xc3\xa9", true, 30.0, std::nullopt});
    EXPECT_EQ(answer["settings"]["name"], "Caf\xc3\xa9");
    // Two sets of "Other" show as "Caf\xc3\xa9": the view does not guess which is meant.
    int twins = 0;
    try {
        object.edit({"Other", "Caf\xc3\xa9", true, 30.0, std::nullopt});
    } catch (const ViewRequestError &error) {
        twins = error.status;
    }
    EXPECT_EQ(twins, 409);

    const ObjectFile &file = *session.scene().items[0].file;
    ObjectFile written = file;
    written.shaders = ShaderBlocksWithSettings(session, file);
    return EncodeLwo2(written, "t.lwo");
}

TEST(ViewObjectNames, ShowsLatin1NamesAsUtf8AndEditsTheObjectsOwnBytes) {
    Scene written;
    written.items.push_back({"Torus", ParseObjectFile(ShownAndEdited(Latin1Torus()), "t.lwo")});
    // The object written holds the settings for its own bytes.
    HostSession session{std::move(written), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    const ObjectFile &file = *session.scene().items[0].file;
    LoadShaderBlocks(session, file, {});
    std::map<std::string, DialogSettings> saved =
        ReadDialogSettings(session, session.instanceOf(file, "M\xe9tal"), {"Caf\xe9"});
    EXPECT_TRUE(saved["Caf\xe9"].enabled);
    EXPECT_FLOAT_EQ(saved["Caf\xe9"].angleDegrees, 30);
}

}  // namespace
