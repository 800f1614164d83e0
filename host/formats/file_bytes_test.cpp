#include "host/formats/file_bytes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <thread>

#include "host/formats/format_error.h"
#include "host/formats/format_error_testing.h"
#include "host/formats/scratch_folder_testing.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using ::testing::ThrowsMessage;

class AtomicWrite : public ScratchFolderTest {
  protected:
    std::size_t filesInFolder() const {
        return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
};

TEST_F(AtomicWrite, ReplacesTheFileWholeAndLeavesNothingBesideIt) {
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>(10, 1));
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{7, 8});
    EXPECT_EQ(ReadFileBytes(path("object.lwo")), (std::vector<std::uint8_t>{7, 8}));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicWrite, AFailedWriteSaysWhyRemovesItsFileAndKeepsTheOldOne) {
    const std::string target = path("normals.csv");
    WriteFileAtomically(target, std::vector<std::uint8_t>{'o', 'l', 'd'});
    auto full = [](std::FILE *file) {
        std::fputs("half", file);
        throw std::system_error(ENOSPC, std::generic_category());
    };
    EXPECT_THAT([&] { WriteFileAtomically(target, full); },
                ThrowsMessage<FormatError>("cannot write " + target + ": " +
                                           std::generic_category().message(ENOSPC)));
    auto refused = [](std::FILE *) { throw std::runtime_error("the stream refused"); };
    EXPECT_THAT([&] { WriteFileAtomically(target, refused); },
                ThrowsMessage<std::runtime_error>("the stream refused"));
    EXPECT_EQ(ReadFileBytes(target), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicWrite, AFolderInTheWayIsNamedAndNothingIsLeftBeside) {
    std::filesystem::create_directories(path("taken.csv/inside"));
    EXPECT_THAT([&] { WriteFileAtomically(path("taken.csv"), std::vector<std::uint8_t>{1}); },
                ThrowsMessage<FormatError>(
                    ::testing::StartsWith("cannot write " + path("taken.csv") + ": ")));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicWrite, AnOutputIsCheckedBeforeTheWorkLeavingNothing) {
    CheckWritable(path("new.png"));
    EXPECT_EQ(filesInFolder(), 0u);
    std::string missing = path("no such folder/new.png");
    EXPECT_THAT([&] { CheckWritable(missing); },
                ThrowsMessage<FormatError>("cannot write " + missing + ": " +
                                           std::generic_category().message(ENOENT)));
    std::filesystem::create_directories(path("folder.png"));
    EXPECT_THAT(
        [&] { CheckWritable(path("folder.png")); },
        ThrowsMessage<FormatError>("cannot write " + path("folder.png") + ": it is a folder"));
    EXPECT_EQ(filesInFolder(), 1u);
}

#ifndef _WIN32
TEST_F(AtomicWrite, ALinkIsFollowedEvenToAFileNotYetThere) {
    std::filesystem::create_symlink("target.csv", path("link.csv"));
    WriteFileAtomically(path("link.csv"), std::vector<std::uint8_t>{7});
    WriteFileAtomically(path("link.csv"), std::vector<std::uint8_t>{8});
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.csv")));
    EXPECT_EQ(ReadFileBytes(path("target.csv")), std::vector<std::uint8_t>{8});
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(AtomicWrite, ALoopOfLinksIsRefusedAndStaysALoop) {
    std::filesystem::create_symlink("loop2", path("loop1"));
    std::filesystem::create_symlink("loop1", path("loop2"));
    for (auto check :
         {+[](const std::string &at) { CheckWritable(at); },
          +[](const std::string &at) { WriteFileAtomically(at, std::vector<std::uint8_t>{7}); }})
        EXPECT_THAT([&] { check(path("loop1")); }, ThrowsMessage<FormatError>(::testing::StartsWith(
                                                       "cannot write " + path("loop1") + ": ")));
    EXPECT_TRUE(std::filesystem::is_symlink(path("loop1")));
    EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(AtomicWrite, TheFileReplacedPassesOnItsPermissions) {
    using std::filesystem::perms;
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{1});
    std::filesystem::permissions(path("object.lwo"), perms::owner_read | perms::owner_write);
    WriteFileAtomically(path("object.lwo"), std::vector<std::uint8_t>{2});
    EXPECT_EQ(std::filesystem::status(path("object.lwo")).permissions(),
              perms::owner_read | perms::owner_write);
}
#endif

// Each writer has a temporary file of its own, so the file is always one writer's whole output.
TEST_F(AtomicWrite, WritersOfOneFileAtOnceLeaveOneWholeFile) {
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

TEST_F(AtomicWrite, WhileWrittenTheFileHasNoNameWhereTheSystemAllows) {
    std::size_t seen = 0;
    WriteFileAtomically(path("normals.csv"), [&](std::FILE *file) {
        std::fputs("x,y,z\n", file);
        seen = filesInFolder();
    });
#ifdef __linux__
    EXPECT_EQ(seen, 0u);
#else
    EXPECT_EQ(seen, 1u);
#endif
    EXPECT_EQ(ReadFileBytes(path("normals.csv")).size(), 6u);
    EXPECT_EQ(filesInFolder(), 1u);
}

#ifndef _WIN32
TEST_F(AtomicWrite, APipeIsWrittenIntoAndStaysAPipe) {
    const std::string pipe = path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(pipe, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), {});
    });
    WriteFileAtomically(pipe, std::vector<std::uint8_t>{'o', 'k'});
    reader.join();
    EXPECT_EQ(received, "ok");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(AtomicWrite, ADeviceIsWrittenIntoAndStaysADevice) {
    std::filesystem::create_symlink("/dev/null", path("null"));
    WriteFileAtomically(path("null"), std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_symlink(path("null")));
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST(ReadFileBytes, RefusesWhatIsNoRegularFile) {
    EXPECT_THAT([] { ReadFileBytes("/dev/zero"); },
                ThrowsMessage<FormatError>("/dev/zero: is a character device; give a "
                                           "regular file"));
    EXPECT_THAT(
        [] { ReadFileBytes("/"); },
        ThrowsMessage<FormatError>(::testing::HasSubstr(": is a folder; give a regular file")));
}
#endif

TEST_F(AtomicWrite, AFileBeyondTheLimitIsRefusedUnread) {
    { std::ofstream create(path("huge.obj")); }
    // Sparse: no disk is spent on it.
    std::filesystem::resize_file(path("huge.obj"), MostFileBytes + 1);
    EXPECT_THAT(
        [&] { ReadFileBytes(path("huge.obj")); },
        ThrowsMessage<FormatError>(path("huge.obj") + ": larger than the " +
                                   std::to_string(MostFileBytes >> 20) + " MiB a file may hold"));
}

}  // namespace
