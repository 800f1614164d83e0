#include "host/loader/shader_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/services/service_table.h"

namespace {

std::string ModulePath(const char *file) {
    return std::string(VELMORA_MODULE_DIR) + file;
}

std::string LoadError(const std::string &path) {
    ServiceTable host;
    try {
        ShaderModule module(path, "KV_Velmora", host.global());
    } catch (const std::runtime_error &error) {
        return error.what();
    }
    return "";
}

TEST(ShaderModule, ActivatesTheShippedModuleAtVersionFour) {
    ServiceTable host;
    ShaderModule module(ModulePath("KV_Velmora.p"), "KV_Velmora", host.global());
    EXPECT_EQ(module.handlerVersion(), 4);
    const LWShaderHandler &handler = module.handler();
    ASSERT_NE(handler.inst->create, nullptr);
    LWInstance instance = handler.inst->create(nullptr, nullptr, nullptr);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(handler.flags(instance), 0x401u);
    EXPECT_TRUE(module.showInterface(instance, host.global()));
    handler.inst->destroy(instance);
}

TEST(ShaderModule, TakesABareFileNameFromTheCurrentFolder) {
    std::filesystem::path before = std::filesystem::current_path();
    // Windows builds keep the modules beside the test program, in the folder it runs in.
    std::filesystem::path folder(VELMORA_MODULE_DIR);
    std::filesystem::current_path(folder.empty() ? before : folder);
    std::string error = LoadError("KV_Velmora.p");
    std::filesystem::current_path(before);
    EXPECT_EQ(error, "");
}

TEST(ShaderModule, ReportsEachFaultWithTheFileName) {
    std::string missing = ModulePath("no_such_module.p");
    EXPECT_EQ(LoadError(missing), missing + ": cannot load module: no such file");
    std::string notModule = (std::filesystem::temp_directory_path() / "not_a_module.p").string();
    std::ofstream(notModule) << "not a module\n";
    EXPECT_EQ(LoadError(notModule).rfind(
                  notModule + ": cannot load module: not a module this host can load (", 0),
              0u);
    std::filesystem::remove(notModule);
    std::string refusing = ModulePath("faulty_refuses.p");
    EXPECT_EQ(LoadError(refusing), refusing + ": KV_Velmora refuses every shader version");
    std::string badSync = ModulePath("faulty_bad_sync.p");
    EXPECT_EQ(LoadError(badSync), badSync + ": bad module descriptor sync word");
    ServiceTable host;
    EXPECT_THROW(ShaderModule(ModulePath("KV_Velmora.p"), "Other", host.global()),
                 std::runtime_error);
}

}  // namespace
