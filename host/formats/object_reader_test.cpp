#include "host/formats/object_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ObjectReader, TheExtensionIsTheFileNamesOwnInAnyCase) {
    EXPECT_EQ(ObjectExtension("models/Knob.LWO"), "lwo");
    EXPECT_EQ(ObjectExtension("scan.obj"), "obj");
    EXPECT_EQ(ObjectExtension("old.d/knob"), "");
    EXPECT_EQ(ObjectExtension("knob"), "");
    EXPECT_TRUE(ReadsAsObj("Scan.OBJ"));
    EXPECT_FALSE(ReadsAsObj("objects.obj/knob"));
}

// Said as what they are, not as a format or a chunk the reader did not find.
TEST(ObjectReader, AFolderOrAnEmptyLightWaveFileIsSaidSo) {
    using ::testing::HasSubstr;
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_THAT([&] { LoadObjectFile(folder); },
                ::testing::ThrowsMessage<std::runtime_error>(HasSubstr(": is a folder")));
    EXPECT_THAT([] { ParseObjectFile({}, "knob.lwo"); },
                ::testing::ThrowsMessage<std::runtime_error>("knob.lwo: is empty"));
    EXPECT_TRUE(ParseObjectFile({}, "scan.obj")->mesh.polygons.empty());
}

}  // namespace
