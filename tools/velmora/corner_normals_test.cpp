#include "tools/velmora/corner_normals.h"

#include <gtest/gtest.h>

#include "host/panels/scripted_user.h"
#include "host/render/host_normals.h"
#include "host/session/folded_scene_testing.h"
#include "host/session/host_session.h"

namespace {

constexpr double Fold = 1.0;  // radians between the two halves

void Smooth(HostSession &session, const std::string &set, double degrees) {
    LWInstance instance = session.attach(*session.scene().items[0].file, "Metal");
    ScriptedUser user;
    user.pick("Polygon set : ", set)
        .setBox("enable smoothing", true)
        .typeAngle("Smoothing angle [deg.] : ", degrees);
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

}  // namespace
