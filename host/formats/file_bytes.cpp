#include "host/formats/file_bytes.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <thread>

#include "host/formats/format_error.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

std::vector<std::uint8_t> ReadFileBytes(const std::string &path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
    if (!file) throw FormatError(path + ": cannot open: " + std::strerror(errno));
    // Whole blocks, sized by the file when it has a size: byte-wise stream reading dominated
    // the time to read large objects.
    std::error_code noSize;
    std::uintmax_t expected = std::filesystem::file_size(path, noSize);
    std::vector<std::uint8_t> bytes(noSize ? 0 : std::size_t(expected) + 1);
    std::size_t size = 0;
    for (;;) {
        if (bytes.size() == size) bytes.resize(std::max<std::size_t>(2 * size, 1 << 16));
        std::size_t got = std::fread(bytes.data() + size, 1, bytes.size() - size, file.get());
        size += got;
        if (got == 0) break;
    }
    if (std::ferror(file.get())) throw FormatError(path + ": cannot read: " + std::strerror(errno));
    bytes.resize(size);
    return bytes;
}

namespace {

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return getpid();
#endif
}

FormatError CannotWrite(const std::string &path, const std::string &reason) {
    return FormatError("cannot write " + path + ": " + reason);
}

// Flushed to the disk before it replaces anything, so that a crash after the rename cannot leave
// an empty file where the old one was. errno tells why when it returns false.
bool CloseSynced(std::FILE *file) {
    bool written = !std::ferror(file) && std::fflush(file) == 0;
#ifdef _WIN32
    written = written && _commit(_fileno(file)) == 0;
#else
    written = written && fsync(fileno(file)) == 0;
#endif
    const int reason = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) errno = reason;
    return written && closed;
}

// Windows refuses to replace a file while another process replaces or reads it; such a refusal
// passes, so it is tried again for a while before it counts.
std::error_code Rename(const std::string &from, const std::string &to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
#ifdef _WIN32
    for (int retry = 0; error && retry < 40; ++retry) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        std::filesystem::rename(from, to, error);
    }
#endif
    return error;
}

// The file replaced keeps who may read and write it.
void KeepPermissions(const std::string &replaced, const std::string &replacement) {
    std::error_code error;
    auto old = std::filesystem::status(replaced, error);
    if (!error && std::filesystem::exists(old))
        std::filesystem::permissions(replacement, old.permissions(), error);
}

}  // namespace

std::string TemporaryPathBeside(const std::string &path) {
    static std::atomic<unsigned> calls{0};
    return path + "." + std::to_string(ProcessId()) + "-" + std::to_string(calls++) + ".writing";
}

std::string LinkTarget(const std::string &path) {
    // A loop of links is left to the open, which reports it.
    constexpr int MostLinks = 40;
    std::filesystem::path at = path;
    std::error_code error;
    for (int hop = 0; hop < MostLinks; ++hop) {
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(at, error))) break;
        std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error) break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return at.string();
}

void WriteFileAtomically(const std::string &path, const std::function<void(std::FILE *)> &write) {
    const std::string target = LinkTarget(path);
    const std::string temporary = TemporaryPathBeside(target);
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    if (!file) throw CannotWrite(path, std::strerror(errno));
    try {
        write(file);
    } catch (const std::system_error &failure) {
        std::fclose(file);
        std::remove(temporary.c_str());
        throw CannotWrite(path, failure.code().message());
    } catch (...) {
        std::fclose(file);
        std::remove(temporary.c_str());
        throw;
    }
    if (!CloseSynced(file)) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        throw CannotWrite(path, reason);
    }
    KeepPermissions(target, temporary);
    if (std::error_code error = Rename(temporary, target)) {
        std::remove(temporary.c_str());
        throw CannotWrite(path, error.message());
    }
}

void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes) {
    WriteFileAtomically(path, [&](std::FILE *file) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
            throw std::system_error(errno, std::generic_category());
    });
}
