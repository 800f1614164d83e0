#include "host/formats/file_bytes.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
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

// Flushed to the disk before it replaces anything, so that a crash after the rename cannot leave
// an empty file where the old one was.
bool WriteAndSync(std::FILE *file, std::span<const std::uint8_t> bytes) {
    bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
#ifdef _WIN32
    written = written && _commit(_fileno(file)) == 0;
#else
    written = written && fsync(fileno(file)) == 0;
#endif
    return std::fclose(file) == 0 && written;
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

}  // namespace

std::string TemporaryPathBeside(const std::string &path) {
    static std::atomic<unsigned> calls{0};
    return path + "." + std::to_string(ProcessId()) + "-" + std::to_string(calls++) + ".writing";
}

void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes) {
    // A link is followed, so that the file it names is replaced and the link stays.
    std::error_code error;
    std::string target = path;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        target = std::filesystem::canonical(path, error).string();
        if (error) throw FormatError(path + ": cannot follow the link: " + error.message());
    }
    const std::string temporary = TemporaryPathBeside(target);
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        throw FormatError(path + ": cannot create " + temporary + ": " + std::strerror(errno));
    if (!WriteAndSync(file, bytes)) {
        std::string problem = std::strerror(errno);
        std::remove(temporary.c_str());
        throw FormatError(path + ": cannot write " + temporary + ": " + problem);
    }
    // The file replaced keeps who may read and write it.
    auto old = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(old))
        std::filesystem::permissions(temporary, old.permissions(), error);
    error = Rename(temporary, target);
    if (error) {
        std::remove(temporary.c_str());
        throw FormatError(path + ": cannot replace it: " + error.message());
    }
}
