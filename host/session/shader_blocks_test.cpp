#include "host/session/shader_blocks.h"

#include <gtest/gtest.h>

#include "host/session/folded_scene_testing.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/set_settings_testing.h"

namespace {

std::string ModulePath() {
    return std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p";
}

TEST(ShaderBlocks, SettingsComeBackFromTheBlocksTheyWereSavedIn) {
    Scene scene = FoldedTwoSetScene(1.0);
    ShaderBlock other{"Metal", "\x81", false, "Demo_Blotch", {1, 2, 3}};
    scene.items[0].file->shaders.push_back(other);
    std::vector<ShaderBlock> saved;
    {
        HostSession session(scene, ModulePath());
        const ObjectFile &file = *session.scene().items[0].file;
        ApplySetRequests(session, file, {{"Left", 30, true, true}}, {});
        saved = ShaderBlocksWithSettings(session, file);
    }
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0], other);
    EXPECT_EQ(saved[1].surface, "Metal");
    EXPECT_EQ(saved[1].ordinal, "\x80");
    EXPECT_EQ(saved[1].server, ShaderServer);
    EXPECT_FALSE(saved[1].data.empty());

    scene.items[0].file->shaders = saved;
    HostSession reloaded(scene, ModulePath());
    const ObjectFile &file = *reloaded.scene().items[0].file;
    LoadShaderBlocks(reloaded, file, {"Glass"});
    EXPECT_EQ(reloaded.instanceOf(file, "Metal"), nullptr);
    LoadShaderBlocks(reloaded, file, {});
    LWInstance instance = reloaded.instanceOf(file, "Metal");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(ShownSettings(reloaded, instance, "Left"), std::to_string(30.0) + " same");
}

}  // namespace
