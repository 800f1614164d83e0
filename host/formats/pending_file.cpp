#include "host/formats/pending_file.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::system_error Failure(int error = errno) {
    return std::system_error(error, std::generic_category());
}

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

// Unique to this process and call: runs writing the same file at once each write their own, and
// the last to take the target's name wins whole.
std::string TemporaryPathBeside(const std::string &path) {
    static std::atomic<unsigned> calls{0};
    return path + "." + std::to_string(ProcessId()) + "-" + std::to_string(calls++) + ".writing";
}

#if defined(O_TMPFILE)
std::string FolderOf(const std::string &path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}
#endif

// Flushed to the disk before it takes the target's name, so that a crash just after cannot
// leave an empty file where the old one was.
void Sync(std::FILE *file) {
    if (std::ferror(file) || std::fflush(file) != 0) throw Failure();
#ifdef _WIN32
    if (_commit(_fileno(file)) != 0) throw Failure();
#else
    if (fsync(fileno(file)) != 0) throw Failure();
#endif
}

// The file replaced keeps who may read and write it.
void KeepPermissions(const std::string &replaced, std::FILE *replacement,
                     const std::string &replacementName) {
    std::error_code error;
    auto old = std::filesystem::status(replaced, error);
    if (error || !std::filesystem::exists(old)) return;
#ifndef _WIN32
    if (replacementName.empty()) {
        fchmod(fileno(replacement), static_cast<mode_t>(old.permissions()));
        return;
    }
#endif
    (void)replacement;
    std::filesystem::permissions(replacementName, old.permissions(), error);
}

// Windows refuses to replace a file while another process replaces or reads it; such a refusal
// passes, so it is tried again for a while before it counts.
void Rename(const std::string &from, const std::string &to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
#ifdef _WIN32
    for (int retry = 0; error && retry < 40; ++retry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::filesystem::rename(from, to, error);
    }
#endif
    if (error) throw std::system_error(error);
}

#if defined(O_TMPFILE)
// A name for an open file that has none: linkat through /proc needs no privilege.
bool LinkUnnamed(std::FILE *file, const std::string &name) {
    std::string self = "/proc/self/fd/" + std::to_string(fileno(file));
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno == EEXIST) return false;
    throw Failure();
}
#endif

}  // namespace

PendingFile::PendingFile(std::string target) : target(std::move(target)) {
#if defined(O_TMPFILE)
    int descriptor = open(FolderOf(this->target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
        file = fdopen(descriptor, "wb");
        if (!file) {
            int error = errno;
            close(descriptor);
            throw Failure(error);
        }
        return;
    }
    // File systems without unnamed files say so in several ways; any other failure would
    // recur with a name, and is reported from there.
#endif
    openNamed();
}

void PendingFile::openNamed() {
    named = TemporaryPathBeside(target);
    cleanup = std::make_unique<InterruptCleanup>(named);
    file = std::fopen(named.c_str(), "wb");
    if (!file) {
        int error = errno;
        cleanup.reset();
        named.clear();
        throw Failure(error);
    }
}

PendingFile::~PendingFile() {
    if (file) std::fclose(file);
    if (!named.empty()) std::remove(named.c_str());
}

void PendingFile::commit() {
    Sync(file);
    KeepPermissions(target, file, named);
    bool placed = linkedInPlace();
    // Closed before the rename: Windows renames no file that is open.
    std::FILE *closing = file;
    file = nullptr;
    if (std::fclose(closing) != 0) throw Failure();
    if (placed) return;
    Rename(named, target);
    named.clear();
    cleanup.reset();
}

// An unnamed file gets the target's name when there is no target yet; otherwise a name beside
// it, which the rename then moves over it, as a rename is the only way to replace a file whole.
bool PendingFile::linkedInPlace() {
#if defined(O_TMPFILE)
    if (named.empty()) {
        if (LinkUnnamed(file, target)) return true;
        std::string beside = TemporaryPathBeside(target);
        cleanup = std::make_unique<InterruptCleanup>(beside);
        if (!LinkUnnamed(file, beside)) throw Failure(EEXIST);
        named = beside;
    }
#endif
    return false;
}
