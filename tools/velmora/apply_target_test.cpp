#include "tools/velmora/apply_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

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

TEST(ApplyTarget, WritesOverItsInputOnlyWhenEditingAnLwo2InPlace) {
    auto folder = std::filesystem::temp_directory_path() / "velmora_apply_target";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string obj = (folder / "in.obj").string(), link = (folder / "link.lwo").string();
    std::string lwo = (folder / "in.lwo").string();
    std::ofstream(obj) << "v 0 0 0\n";
    std::ofstream(lwo) << "FORM";
    std::filesystem::create_hard_link(obj, link);

    EXPECT_EQ(ErrorOf(obj, link, false),
              link + ": this is the input " + obj +
                  " itself, which apply only converts; give the LWO2 output another name");
    EXPECT_EQ(ErrorOf(obj, (folder / "new.lwo").string(), false), "no error");
    EXPECT_EQ(ErrorOf(lwo, lwo, true), "no error");
    std::filesystem::remove_all(folder);
}

}  // namespace
