#include "tools/view/view_glb.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "host/formats/glb_writer.h"
#include "host/formats/written_text_testing.h"
#include "host/scene/mesh_generators.h"
#include "tools/velmora/corner_normals.h"

namespace {

// What `velmora normals --format glb` writes of the session's object as its settings stand.
std::string NormalsCommandGlb(HostSession &session, const geometry::SmoothingAngles &smoothing) {
    const ObjectItem &item = session.scene().items[0];
    CornerNormalStream stream(item, session.hooksOf(*item.file), smoothing, 2,
                              CornerNormalStream::DefaultBlockPolygons, {.unitNormals = true});
    return Written(
        [&](std::FILE *out) { WriteGlb(out, *item.file, [&] { return stream.next(); }); });
}

TEST(ViewGlb, IsTheGlbOfTheNormalsCommandWithTheSettingsAsTheyStand) {
    Scene scene;
    auto file = MakeObjectFile("Torus.lwo", MakeTorus(24, 8, 4));
    file->surfaces = {"Default", "Other"};
    scene.items.push_back({"Torus", file});
    HostSession session{std::move(scene), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p"};
    geometry::SmoothingAngles smoothing{89.5, {}};
    ViewObject object{session, smoothing, 2};

    std::string before = GlbOf(object);
    ASSERT_GT(before.size(), 12u);
    EXPECT_EQ(before.substr(0, 4), "glTF");
    EXPECT_EQ(before, NormalsCommandGlb(session, smoothing));

    object.edit({"Default", "band0", true, 0.0, std::nullopt});
    std::string after = GlbOf(object);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, NormalsCommandGlb(session, smoothing));
}

TEST(ViewGlb, TheDownloadIsNamedAfterTheObjectInPlainCharacters) {
    EXPECT_EQ(GlbDownloadName("/models/banded torus.lwo"), "banded torus.glb");
    EXPECT_EQ(GlbDownloadName("relative/Box.v2.obj"), "Box.v2.glb");
    // Nothing that could end the header's quoted name or start another header.
    EXPECT_EQ(GlbDownloadName("/x/a\"b\r\nSet-Cookie: c.lwo"), "a_b__Set-Cookie_ c.glb");
    EXPECT_EQ(GlbDownloadName("/x/caf\xc3\xa9.lwo"), "caf__.glb");
    EXPECT_EQ(GlbDownloadName(""), "object.glb");
}

}  // namespace
