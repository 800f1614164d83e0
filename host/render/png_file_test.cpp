#include "host/render/png_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/formats/scratch_folder_testing.h"

namespace render {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

using PngFile = ScratchFolderTest;

Image Gradient() {
    Image image(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.set(x, y, {std::uint8_t(50 * x), std::uint8_t(100 * y), std::uint8_t(x + y)});
    return image;
}

TEST_F(PngFile, WritesAndReadsBackEveryPixelLeavingOnlyTheFile) {
    std::string path = (folder / "out.png").string();
    WritePng(Image(2, 2, {9, 9, 9}), path);
    WritePng(Gradient(), path);
    EXPECT_EQ(ReadPng(path), Gradient());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(PngFile, FailuresNameTheFileAndKeepWhatWasThere) {
    std::string missing = (folder / "no" / "such" / "out.png").string();
    EXPECT_THAT([&] { WritePng(Gradient(), missing); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(missing)));

    std::string path = (folder / "kept.png").string();
    WritePng(Gradient(), path);
    EXPECT_THROW(WritePng(Image(), path), std::runtime_error);
    EXPECT_EQ(ReadPng(path), Gradient());

    std::string text = (folder / "text.png").string();
    std::ofstream(text) << "not a picture";
    EXPECT_THAT([&] { ReadPng(text); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(text + ": cannot read")));
}

TEST_F(PngFile, ADirectoryInTheWayIsReportedAndNoPartialFileStays) {
    fs::create_directory(folder / "taken.png");
    fs::create_directory(folder / "taken.png" / "inside");
    std::string path = (folder / "taken.png").string();
    EXPECT_THAT([&] { WritePng(Gradient(), path); }, ::testing::ThrowsMessage<std::runtime_error>(
                                                         HasSubstr("cannot write " + path + ": ")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace render
