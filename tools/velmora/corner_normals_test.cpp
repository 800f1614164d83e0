#include "tools/velmora/corner_normals.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/panels/options_dialog_labels.h"
#include "host/formats/obj_writer.h"
#include "host/formats/written_text_testing.h"
#include "host/panels/scripted_user.h"
#include "host/render/host_normals.h"
#include "host/scene/mesh_generators.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/host_session.h"
#include "tools/velmora/normals_output.h"

namespace {

constexpr double Fold = 1.0;  // radians between the two halves

void Smooth(HostSession &session, const std::string &set, double degrees) {
    LWInstance instance = session.attach(*session.scene().items[0].file, "Metal");
    ScriptedUser user;
    user.pick(dialog_label::SetPopup, set)
        .setBox(dialog_label::Enable, true)
        .typeAngle(dialog_label::Angle, degrees);
    session.editOptions(instance, user);
}

void ExpectNear(const CornerNormal &actual, const render::Vec3 &expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
    EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

class CornerNormals : public ::testing::Test {
  protected:
    HostSession session{FoldedTwoSetScene(Fold), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    const ObjectItem &item = session.scene().items[0];
    const MeshData &mesh = item.file->mesh;
    render::SmoothingAngles smoothing{kDefaultSmoothingDegrees, {}};
    render::HostNormals host = render::ComputeHostNormals(mesh, smoothing);
};

TEST_F(CornerNormals, WithoutTheShaderEveryCornerKeepsTheHostsNormal) {
    std::vector<CornerNormal> normals =
        SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 2);
    ASSERT_EQ(normals.size(), 8u);
    for (std::size_t c = 0; c < normals.size(); ++c) ExpectNear(normals[c], host.corner[c]);
}

TEST_F(CornerNormals, AFlatSetShowsItsPolygonsNormalAndTheOtherSetKeepsTheHosts) {
    Smooth(session, "Left", 0);
    std::vector<CornerNormal> normals =
        SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 1);
    for (int c = 0; c < 4; ++c)
        ExpectNear(normals[c], render::PolygonNormal(mesh, mesh.polygons[0]));
    for (int c = 4; c < 8; ++c) ExpectNear(normals[c], host.corner[c]);
}

TEST_F(CornerNormals, SmoothingAcrossTheFoldAveragesOnTheSharedEdgeOnly) {
    Smooth(session, "Left", 89.5);
    std::vector<CornerNormal> normals =
        SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 2);
    render::Vec3 left = render::PolygonNormal(mesh, mesh.polygons[0]);
    render::Vec3 right = render::PolygonNormal(mesh, mesh.polygons[1]);
    render::Vec3 shared = render::Normalize(left + right);
    for (int c = 0; c < 4; ++c) {
        int point = mesh.polygons[0].points[c];
        bool onFold = mesh.points[point][0] == 0.5f;
        ExpectNear(normals[c], onFold ? shared : left);
    }
}

TEST_F(CornerNormals, ConcurrentSamplingGivesWhatOneThreadGives) {
    Smooth(session, "Right", 30);
    render::ShaderHooks hooks = session.hooksOf(*item.file);
    EXPECT_EQ(SampleCornerNormals(item, hooks, smoothing, 2),
              SampleCornerNormals(item, hooks, smoothing, 1));
}

// Two sets in a checkerboard on a folded grid, then polygons of every kind, all of surface
// "Metal": more polygons than a small block holds.
Scene CheckeredScene() {
    MeshData mesh = MakeFoldedGrid(6, 4, Fold, {"Metal", "Left"});
    for (std::size_t p = 0; p < mesh.polygons.size(); p += 2) mesh.polygons[p].part = "Right";
    MeshData odd = MakeOddPolygons(7);
    TagAll(odd, {"Metal", "Right"});
    AppendMesh(mesh, odd);
    Scene scene;
    auto file = MakeObjectFile("Checkered.lwo", std::move(mesh));
    file->surfaces = {"Metal"};
    scene.items.push_back({"Checkered", file});
    return scene;
}

class CornerNormalBlocks : public ::testing::Test {
  protected:
    CornerNormalBlocks() {
        Smooth(session, "Left", 89.5);
        Smooth(session, "Right", 30);
    }

    std::vector<CornerBlock> Blocks(unsigned threads, std::size_t blockPolygons) {
        CornerNormalStream stream(item, session.hooksOf(*item.file), smoothing, threads,
                                  blockPolygons);
        std::vector<CornerBlock> blocks;
        while (const CornerBlock *block = stream.next()) blocks.push_back(*block);
        return blocks;
    }

    HostSession session{CheckeredScene(), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    const ObjectItem &item = session.scene().items[0];
    render::SmoothingAngles smoothing{kDefaultSmoothingDegrees, {}};
};

TEST_F(CornerNormalBlocks, BlocksFollowOneAnotherAndHoldWhatOneBlockHolds) {
    std::size_t polygons = item.file->mesh.polygons.size();
    std::vector<CornerNormal> joined;
    std::size_t next = 0;
    for (const CornerBlock &block : Blocks(2, 5)) {
        EXPECT_EQ(block.firstPolygon, next);
        EXPECT_EQ(block.endPolygon, std::min(next + 5, polygons));
        next = block.endPolygon;
        joined.insert(joined.end(), block.normals.begin(), block.normals.end());
    }
    EXPECT_EQ(next, polygons);
    std::vector<CornerBlock> one = Blocks(2, polygons);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(joined, one[0].normals);
    EXPECT_EQ(joined, SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 1));
}

// Blocks sampled on several threads while the caller holds the one before.
TEST_F(CornerNormalBlocks, ConcurrentBlocksGiveWhatOneThreadGives) {
    std::vector<CornerBlock> concurrent = Blocks(4, 3), single = Blocks(1, 3);
    ASSERT_EQ(concurrent.size(), single.size());
    for (std::size_t b = 0; b < single.size(); ++b)
        EXPECT_EQ(concurrent[b].normals, single[b].normals) << "block " << b;
}

// Each face corner's `vn` text in an OBJ text, looked up among the `vn` lines above it.
std::vector<std::string> ObjCornerNormals(const std::string &obj) {
    std::vector<std::string> corners, normals;
    std::istringstream lines(obj);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("vn ")) normals.push_back(line.substr(3));
        if (!line.starts_with("f ")) continue;
        std::istringstream words(line.substr(2));
        for (std::string word; words >> word;) {
            std::size_t number = std::stoul(word.substr(word.find("//") + 2));
            corners.push_back(number <= normals.size() ? normals[number - 1]
                                                       : word + " before its vn");
        }
    }
    return corners;
}

class CornerNormalTexts : public CornerNormalBlocks {
  protected:
    // As the command writes them: each block as it is sampled.
    std::string Csv(unsigned threads, std::size_t blockPolygons) {
        return Written([&](std::FILE *out) {
            CornerNormalStream stream(item, session.hooksOf(*item.file), smoothing, threads,
                                      blockPolygons);
            WriteNormalsCsv(out, 0, item.file->mesh, [&stream] { return stream.next(); });
        });
    }
    std::string Obj(unsigned threads, std::size_t blockPolygons) {
        return Written([&](std::FILE *out) {
            CornerNormalStream stream(item, session.hooksOf(*item.file), smoothing, threads,
                                      blockPolygons);
            WriteObj(out, *item.file, [&stream] { return stream.next(); });
        });
    }
    std::size_t polygons = item.file->mesh.polygons.size();
};

TEST_F(CornerNormalTexts, ManyBlocksWriteTheCsvOfOneBlock) {
    EXPECT_EQ(Csv(2, 4), Csv(1, polygons));
}

// A face's new normals come just before it, so that blocks leave no trace in the text either;
// every face corner names a `vn` above it.
TEST_F(CornerNormalTexts, ManyBlocksWriteTheObjOfOneBlock) {
    std::string one = Obj(1, polygons);
    EXPECT_EQ(Obj(2, 4), one);
    std::vector<std::string> corners = ObjCornerNormals(one);
    EXPECT_EQ(corners.size(), 24u * 4 + 7 + 4 + 3 + 3);
    for (const std::string &corner : corners) EXPECT_FALSE(corner.ends_with("before its vn"));
}

TEST(CornerNormalStream, AnObjectWithoutPolygonsHasNoBlocks) {
    ObjectItem item = MakeObjectItem("Empty", MakeMesh({{0, 0, 0}}, {}));
    CornerNormalStream stream(item, {}, {}, 2, 5);
    EXPECT_EQ(stream.next(), nullptr);
    EXPECT_EQ(stream.next(), nullptr);
}

}  // namespace
