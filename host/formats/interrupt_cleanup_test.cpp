#include "host/formats/interrupt_cleanup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/formats/scratch_folder_testing.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

class InterruptCleanupTest : public ScratchFolderTest {};

// In a child process, as the signal ends it.
int DiesBy(int signal, const std::string &claimed) {
    pid_t child = fork();
    if (child == 0) {
        std::ofstream{claimed} << "half";
        InterruptCleanup claim(claimed);
        std::raise(signal);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST_F(InterruptCleanupTest, AnInterruptRemovesTheClaimedFileAndEndsTheProgram) {
    EXPECT_EQ(DiesBy(SIGINT, path("out.csv.1-0.writing")), SIGINT);
    EXPECT_EQ(DiesBy(SIGTERM, path("out.csv.1-1.writing")), SIGTERM);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(InterruptCleanupTest, AFileNoLongerClaimedStays) {
    std::ofstream{path("kept.csv")} << "whole";
    { InterruptCleanup claim(path("kept.csv")); }
    pid_t child = fork();
    if (child == 0) {
        InterruptCleanup other(path("other.writing"));
        std::raise(SIGTERM);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(std::filesystem::exists(path("kept.csv")));
}

}  // namespace
#endif
