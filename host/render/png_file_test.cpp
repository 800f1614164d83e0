#include "host/render/png_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace render {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class PngFile : public ::testing::Test {
  protected:
    void SetUp() override {
        directory =
            fs::temp_directory_path() /
            ("velmora_png_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }
    fs::path directory;
};

Image Gradient() {
    Image image(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.set(x, y, {std::uint8_t(50 * x), std::uint8_t(100 * y), std::uint8_t(x + y)});
    return image;
}

TEST_F(PngFile, WritesAndReadsBackEveryPixelLeavingOnlyTheFile) {
    std::string path = (directory / "out.png").string();
    WritePng(Image(2, 2, {9, 9, 9}), path);
    WritePng(Gradient(), path);
    EXPECT_EQ(ReadPng(path), Gradient());
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

TEST_F(PngFile, FailuresNameTheFileAndKeepWhatWasThere) {
    std::string missing = (directory / "no" / "such" / "out.png").string();
    EXPECT_THAT([&] { WritePng(Gradient(), missing); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(missing)));

    std::string path = (directory / "kept.png").string();
    WritePng(Gradient(), path);
    EXPECT_THROW(WritePng(Image(), path), std::runtime_error);
    EXPECT_EQ(ReadPng(path), Gradient());

    std::string text = (directory / "text.png").string();
    std::ofstream(text) << "not a picture";
    EXPECT_THAT([&] { ReadPng(text); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(text + ": cannot read")));
}

TEST_F(PngFile, ADirectoryInTheWayIsReportedAndNoPartialFileStays) {
    fs::create_directory(directory / "taken.png");
    fs::create_directory(directory / "taken.png" / "inside");
    std::string path = (directory / "taken.png").string();
    EXPECT_THAT([&] { WritePng(Gradient(), path); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(path + ": cannot put")));
    EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace render
