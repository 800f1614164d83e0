#include "host/formats/file_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "host/formats/format_error_testing.h"
#include "host/formats/scratch_folder_testing.h"

namespace {

class FileBytes : public ScratchFolderTest {
  protected:
    std::size_t filesInFolder() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
};

TEST_F(FileBytes, ReplacesTheFileWholeAndLeavesNothingBesideIt) {
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>(10, 1));
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{7, 8});
    EXPECT_EQ(ReadFileBytes(path("object.lwo")), (std::vector<std::uint8_t>{7, 8}));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(FileBytes, AFailedWriteNamesTheFileAndLeavesNothing) {
    std::string missing = path("none/object.lwo");
    EXPECT_EQ(FormatErrorOf([&] {
                  WriteFileAtomically(missing, std::vector<std::uint8_t>{1});
              }).rfind(missing + ": cannot create " + missing + ".", 0),
              0u);
    EXPECT_EQ(filesInFolder(), 0u);
}

#ifndef _WIN32
TEST_F(FileBytes, ALinkIsFollowedAndStays) {
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{1});
    std::filesystem::create_symlink("object.lwo", path("link.lwo"));
    WriteFileAtomically(path("link.lwo"), std::vector<std::uint8_t>{2});
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.lwo")));
    EXPECT_EQ(ReadFileBytes(path("object.lwo")), std::vector<std::uint8_t>{2});
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(FileBytes, TheFileReplacedPassesOnItsPermissions) {
    using std::filesystem::perms;
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{1});
    std::filesystem::permissions(path("object.lwo"), perms::owner_read | perms::owner_write);
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{2});
    EXPECT_EQ(std::filesystem::status(path("object.lwo")).permissions(),
              perms::owner_read | perms::owner_write);
}
#endif

// Each writer has a temporary file of its own, so the file is always one writer's whole output.
TEST_F(FileBytes, WritersOfOneFileAtOnceLeaveOneWholeFile) {
    const std::string target = path("object.lwo");
    auto writer = [&](std::uint8_t fill) {
        std::vector<std::uint8_t> bytes(1 << 18, fill);
        for (int round = 0; round < 20; ++round) {
            std::string error = FormatErrorOf([&] { WriteFileAtomically(target, bytes); });
            EXPECT_EQ(error, "no error");
        }
    };
    std::thread first(writer, 'A'), second(writer, 'B');
    first.join();
    second.join();
    std::vector<std::uint8_t> result = ReadFileBytes(target);
    ASSERT_EQ(result.size(), 1u << 18);
    EXPECT_EQ(std::count(result.begin(), result.end(), result.front()), 1 << 18);
    EXPECT_EQ(filesInFolder(), 1u);
}

}  // namespace
