// For tests: a fixture with an empty folder of the test's own, removed afterwards. The random
// seed in its name keeps runs in parallel apart.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const ::testing::UnitTest &run = *::testing::UnitTest::GetInstance();
        folder = std::filesystem::temp_directory_path() /
                 ("velmora_" + std::string(run.current_test_info()->test_suite_name()) + "_" +
                  std::to_string(run.random_seed()) + "_" + run.current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string path(const std::string &name) const { return (folder / name).string(); }

    // Writes `text` to the file `name` in the folder and returns its path.
    std::string write(const std::string &name, const std::string &text) const {
        std::ofstream(path(name)) << text;
        return path(name);
    }

    std::filesystem::path folder;
};
