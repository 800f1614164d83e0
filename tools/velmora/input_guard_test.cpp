#include "tools/velmora/input_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/formats/scratch_folder_testing.h"

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

class InputGuard : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        std::ofstream(path("box.obj")) << "v 0 0 0\n";
        std::ofstream(path("other.obj")) << "v 0 0 0\n";
    }
    std::vector<CommandFile> inputs() const {
        return {{"the object file", path("box.obj")}, {"the module", path("module.p")}};
    }
};

TEST_F(InputGuard, AnOutputThatIsAnInputByAnyNameIsRefusedNamingBoth) {
    std::string message = "cannot write " + path("box.obj") + " (-o): it is the input " +
                          path("box.obj") + " (the object file)";
    EXPECT_THAT(
        [&] {
            RefuseOutputsOverInputs({{"-o", path("box.obj")}}, inputs());
        },
        ThrowsMessage<std::runtime_error>(message));
    std::string relative = path("sub/../box.obj");
    std::filesystem::create_directory(path("sub"));
    EXPECT_THROW(RefuseOutputsOverInputs({{"-o", relative}}, inputs()), std::runtime_error);
#ifndef _WIN32
    std::filesystem::create_symlink(path("box.obj"), path("link.obj"));
    std::filesystem::create_hard_link(path("box.obj"), path("hard.obj"));
    for (const char *name : {"link.obj", "hard.obj"})
        EXPECT_THAT(
            [&] {
                RefuseOutputsOverInputs({{"--save-settings", path(name)}}, inputs());
            },
            ThrowsMessage<std::runtime_error>(HasSubstr("it is the input")));
#endif
}

TEST_F(InputGuard, OtherFilesAndFilesNotYetThereAreWritten) {
    EXPECT_NO_THROW(RefuseOutputsOverInputs(
        {{"-o", path("other.obj")}, {"--save-settings", path("new.settings")}}, inputs()));
    EXPECT_FALSE(SameFile(path("new.settings"), path("new.settings")));
}

TEST_F(InputGuard, TwoOutputsOfOneFileAreRefusedEvenBeforeItExists) {
    EXPECT_THAT(
        [&] {
            RefuseOutputsOverInputs({{"-o", path("out")}, {"--save-settings", path("./out")}},
                                    inputs());
        },
        ThrowsMessage<std::runtime_error>(HasSubstr("(--save-settings): it is also the output")));
}

}  // namespace
