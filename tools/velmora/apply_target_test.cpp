#include "tools/velmora/apply_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "host/formats/scratch_folder_testing.h"

namespace {

std::string ErrorOf(const std::string &input, const std::string &output, bool inputIsLwo2) {
    try {
        CheckApplyTarget(input, output, inputIsLwo2);
    } catch (const std::runtime_error &error) {
        return error.what();
    }
    return "no error";
}

TEST(ApplyTarget, RefusesAnOutputNamedForAnotherFormat) {
    EXPECT_EQ(ErrorOf("in.lwo", "out.obj", true),
              "out.obj: apply writes LWO2 objects, and .obj names another format; give the "
              "output a .lwo name");
    EXPECT_NE(ErrorOf("in.obj", "dir.lwo/out.Obj", false), "no error");
    EXPECT_EQ(ErrorOf("in.obj", "out.LWO", false), "no error");
    EXPECT_EQ(ErrorOf("in.obj", "dir.obj/out", false), "no error");
}

using ApplyTargetFiles = ScratchFolderTest;

TEST_F(ApplyTargetFiles, WritesOverItsInputOnlyWhenEditingAnLwo2InPlace) {
    std::string obj = path("in.obj"), link = path("link.lwo"), lwo = path("in.lwo");
    std::ofstream(obj) << "v 0 0 0\n";
    std::ofstream(lwo) << "FORM";
    std::filesystem::create_hard_link(obj, link);

    EXPECT_EQ(ErrorOf(obj, link, false),
              link + ": this is the input " + obj +
                  " itself, which apply only converts; give the LWO2 output another name");
    EXPECT_EQ(ErrorOf(obj, path("new.lwo"), false), "no error");
    EXPECT_EQ(ErrorOf(lwo, lwo, true), "no error");
    std::filesystem::create_hard_link(lwo, path("other.lwo"));
    EXPECT_EQ(ErrorOf(lwo, path("other.lwo"), true),
              path("other.lwo") + ": this is another name (a hard link) of the input " + lwo +
                  "; apply writes a new file under the name given, so " + lwo +
                  " would keep its old settings: give " + lwo + " itself, or a new name");
}

}  // namespace
