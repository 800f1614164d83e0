#include "tools/velmora/corner_normals.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#ifdef VELMORA_GLTF
#include <tiny_gltf.h>

#include "host/formats/glb_writer.h"
#endif

#include "host/formats/obj_writer.h"
#include "host/formats/written_text_testing.h"
#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"
#include "host/scene/host_normals.h"
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

void ExpectNear(const CornerNormal &actual, const geometry::Vec3 &expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
    EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

class CornerNormals : public ::testing::Test {
  protected:
    HostSession session{FoldedTwoSetScene(Fold), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    const ObjectItem &item = session.scene().items[0];
    const MeshData &mesh = item.file->mesh;
    geometry::SmoothingAngles smoothing{kDefaultSmoothingDegrees, {}};
    geometry::HostNormals host = geometry::ComputeHostNormals(mesh, smoothing);
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
        ExpectNear(normals[c], geometry::PolygonNormal(mesh, mesh.polygons[0]));
    for (int c = 4; c < 8; ++c) ExpectNear(normals[c], host.corner[c]);
}

TEST_F(CornerNormals, SmoothingAcrossTheFoldAveragesOnTheSharedEdgeOnly) {
    Smooth(session, "Left", 89.5);
    std::vector<CornerNormal> normals =
        SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 2);
    geometry::Vec3 left = geometry::PolygonNormal(mesh, mesh.polygons[0]);
    geometry::Vec3 right = geometry::PolygonNormal(mesh, mesh.polygons[1]);
    geometry::Vec3 shared = geometry::Normalize(left + right);
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
    geometry::SmoothingAngles smoothing{kDefaultSmoothingDegrees, {}};
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

// Chosen polygons, in any order, get the normals the whole mesh's sampling gives their corners.
TEST_F(CornerNormalBlocks, ChosenPolygonsGetWhatTheWholeMeshGivesThem) {
    const MeshData &mesh = item.file->mesh;
    render::ShaderHooks hooks = session.hooksOf(*item.file);
    std::vector<CornerNormal> all = SampleCornerNormals(item, hooks, smoothing, 1);
    std::vector<int> chosen;
    for (int p = static_cast<int>(mesh.polygons.size()) - 1; p >= 0; p -= 3) chosen.push_back(p);
    std::vector<CornerNormal> some =
        SampleCornersOf(item, hooks, geometry::ComputeHostShape(mesh), smoothing, chosen, 2);
    std::vector<CornerNormal> expected;
    std::vector<std::size_t> first = {0};
    for (const MeshPolygon &polygon : mesh.polygons)
        first.push_back(first.back() + polygon.points.size());
    for (int p : chosen)
        expected.insert(expected.end(), all.begin() + first[p], all.begin() + first[p + 1]);
    EXPECT_EQ(some, expected);
}

// Flagged points get the module's normal, as the whole mesh's sampling gives it; the corners at
// other points keep the host's, unsampled.
TEST_F(CornerNormalBlocks, OnlyCornersAtFlaggedPointsAreSampled) {
    const MeshData &mesh = item.file->mesh;
    render::ShaderHooks hooks = session.hooksOf(*item.file);
    std::vector<CornerNormal> all = SampleCornerNormals(item, hooks, smoothing, 1);
    std::vector<CornerNormal> host = geometry::ComputeHostNormals(mesh, smoothing).corner;
    std::vector<char> flagged(mesh.points.size(), 0);
    for (std::size_t point = 0; point < flagged.size(); point += 2) flagged[point] = 1;
    std::vector<int> polygons(mesh.polygons.size());
    for (std::size_t p = 0; p < polygons.size(); ++p) polygons[p] = static_cast<int>(p);
    std::vector<CornerNormal> some = SampleCornersOf(item, hooks, geometry::ComputeHostShape(mesh),
                                                     smoothing, polygons, 2, flagged);
    ASSERT_EQ(some.size(), all.size());
    std::size_t corner = 0, differing = 0;
    for (const MeshPolygon &polygon : mesh.polygons)
        for (int point : polygon.points) {
            EXPECT_EQ(some[corner], flagged[point] ? all[corner] : host[corner]) << corner;
            differing += all[corner] != host[corner];
            ++corner;
        }
    EXPECT_GT(differing, 0u);
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

#ifdef VELMORA_GLTF
// The corners' normals in a CSV text, in its order.
std::vector<CornerNormal> CsvNormals(const std::string &csv) {
    std::vector<CornerNormal> normals;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int skipped = 0; skipped < 4; ++skipped) std::getline(fields, field, ',');
        CornerNormal &normal = normals.emplace_back();
        for (double *component : {&normal.x, &normal.y, &normal.z}) {
            std::getline(fields, field, ',');
            *component = std::stod(field);
        }
    }
    return normals;
}

// The NORMAL of each face corner of a glb of one primitive, in polygon and corner order, found
// through the fans the writer makes: triangle k of a polygon holds corners 0, k + 2 and k + 1,
// unless two of them lie at one position. A corner of no triangle has none.
std::vector<std::optional<std::array<float, 3>>> GlbCornerNormals(const std::string &bytes,
                                                                  const MeshData &mesh) {
    tinygltf::TinyGLTF gltf;
    tinygltf::Model model;
    std::string error, warning;
    EXPECT_TRUE(gltf.LoadBinaryFromMemory(&model, &error, &warning,
                                          reinterpret_cast<const unsigned char *>(bytes.data()),
                                          static_cast<unsigned>(bytes.size())))
        << error;
    const tinygltf::Primitive &primitive = model.meshes.at(0).primitives.at(0);
    auto values = [&](int accessorIndex) {
        const tinygltf::Accessor &accessor = model.accessors.at(std::size_t(accessorIndex));
        const tinygltf::BufferView &view = model.bufferViews.at(std::size_t(accessor.bufferView));
        return model.buffers[0].data.data() + view.byteOffset + accessor.byteOffset;
    };
    const auto *indices = reinterpret_cast<const std::uint32_t *>(values(primitive.indices));
    const auto *normals =
        reinterpret_cast<const std::array<float, 3> *>(values(primitive.attributes.at("NORMAL")));
    std::vector<std::optional<std::array<float, 3>>> corners;
    for (const MeshPolygon &polygon : mesh.polygons) {
        std::size_t n = polygon.points.size(), first = corners.size();
        if (n < 3) continue;
        corners.resize(first + n);
        auto at = [&](std::size_t c) { return mesh.points[std::size_t(polygon.points[c])]; };
        for (std::size_t k = 0; k + 2 < n; ++k) {
            if (at(0) == at(k + 1) || at(k + 1) == at(k + 2) || at(k + 2) == at(0)) continue;
            corners[first] = normals[indices[0]];
            corners[first + k + 2] = normals[indices[1]];
            corners[first + k + 1] = normals[indices[2]];
            indices += 3;
        }
    }
    return corners;
}

// What a pipeline reads back of the glb: the CSV's normal at every face corner, as a float and
// with Z turned for glTF's frame, and a unit normal where the module's is zero.
TEST_F(CornerNormalTexts, GlbNormalsAreTheCsvsToFloatPrecision) {
    std::vector<CornerNormal> csv = CsvNormals(Csv(1, polygons));
    std::size_t replaced = 0;
    std::string glb = Written([&](std::FILE *out) {
        CornerNormalStream stream(item, session.hooksOf(*item.file), smoothing, 2, 4,
                                  {.unitNormals = true});
        WriteGlb(out, *item.file, [&stream] { return stream.next(); });
        replaced = stream.replacedCorners();
    });
    std::vector<std::optional<std::array<float, 3>>> read = GlbCornerNormals(glb, item.file->mesh);
    std::size_t zero = 0, compared = 0, csvCorner = 0, readCorner = 0;
    for (const MeshPolygon &polygon : item.file->mesh.polygons) {
        std::size_t n = polygon.points.size();
        for (std::size_t c = 0; c < n; ++c, ++csvCorner) {
            if (n < 3) continue;
            const CornerNormal &expected = csv.at(csvCorner);
            zero += expected == CornerNormal{};
            const std::optional<std::array<float, 3>> &normal = read.at(readCorner++);
            if (!normal) continue;
            ++compared;
            if (expected == CornerNormal{}) {
                EXPECT_NEAR(geometry::Length({(*normal)[0], (*normal)[1], (*normal)[2]}), 1, 1e-6);
                continue;
            }
            EXPECT_EQ(*normal, (std::array<float, 3>{float(expected.x), float(expected.y),
                                                     -float(expected.z)}))
                << "corner " << csvCorner;
        }
    }
    EXPECT_EQ(readCorner, read.size());
    EXPECT_GT(compared, 100u);
    EXPECT_GT(zero, 0u);
    EXPECT_EQ(replaced, zero);
}
#endif

TEST(CornerNormalStream, AnObjectWithoutPolygonsHasNoBlocks) {
    ObjectItem item = MakeObjectItem("Empty", MakeMesh({{0, 0, 0}}, {}));
    CornerNormalStream stream(item, {}, {}, 2, 5);
    EXPECT_EQ(stream.next(), nullptr);
    EXPECT_EQ(stream.next(), nullptr);
}

}  // namespace
