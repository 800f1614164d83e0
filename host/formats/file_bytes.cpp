#include "host/formats/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "host/formats/format_error.h"
#include "host/formats/pending_file.h"

namespace {

FormatError CannotWrite(const std::string &path, const std::string &reason) {
    return FormatError("cannot write " + path + ": " + reason);
}

// What a path that is no regular file names, for a message.
std::string KindOf(std::filesystem::file_type type) {
    using std::filesystem::file_type;
    switch (type) {
        case file_type::directory:
            return "a folder";
        case file_type::fifo:
            return "a pipe";
        case file_type::character:
            return "a character device";
        case file_type::block:
            return "a block device";
        case file_type::socket:
            return "a socket";
        default:
            return "no regular file";
    }
}

std::string MebibyteText(std::uintmax_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

// A pipe or a device takes the output as a stream: renaming a file over it would replace it.
void WriteStream(const std::string &path, const std::function<void(std::FILE *)> &write) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"),
                                                          &std::fclose);
    if (!file) throw CannotWrite(path, std::strerror(errno));
    try {
        write(file.get());
    } catch (const std::system_error &failure) {
        throw CannotWrite(path, failure.code().message());
    }
    if (std::ferror(file.get()) || std::fflush(file.get()) != 0)
        throw CannotWrite(path, std::strerror(errno));
}

// What is at an output's path, or a CannotWrite saying why that cannot be told: a loop of links
// or a folder that cannot be searched. An output not there yet is fine.
std::filesystem::file_status OutputStatus(const std::string &path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error && status.type() != std::filesystem::file_type::not_found)
        throw CannotWrite(path, error.message());
    return status;
}

}  // namespace

void RequireRegularFile(const std::string &path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) throw FormatError(path + ": cannot open: " + error.message());
    if (!std::filesystem::is_regular_file(status))
        throw FormatError(path + ": is " + KindOf(status.type()) + "; give a regular file");
}

std::vector<std::uint8_t> ReadFileBytes(const std::string &path) {
    RequireRegularFile(path);
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                          &std::fclose);
    if (!file) throw FormatError(path + ": cannot open: " + std::strerror(errno));
    auto tooLarge = [&] {
        return FormatError(path + ": larger than the " + MebibyteText(MostFileBytes) +
                           " a file may hold");
    };
    // Whole blocks, sized by the file when it has a size: byte-wise stream reading dominated
    // the time to read large objects.
    std::error_code noSize;
    std::uintmax_t expected = std::filesystem::file_size(path, noSize);
    if (!noSize && expected > MostFileBytes) throw tooLarge();
    std::vector<std::uint8_t> bytes(noSize ? 0 : std::size_t(expected) + 1);
    std::size_t size = 0;
    for (;;) {
        // A file that grows while it is read stops at the limit too.
        if (size > MostFileBytes) throw tooLarge();
        if (bytes.size() == size)
            bytes.resize(std::min<std::size_t>(std::max<std::size_t>(2 * size, 1 << 16),
                                               std::size_t(MostFileBytes) + 1));
        std::size_t got = std::fread(bytes.data() + size, 1, bytes.size() - size, file.get());
        size += got;
        if (got == 0) break;
    }
    if (std::ferror(file.get())) throw FormatError(path + ": cannot read: " + std::strerror(errno));
    bytes.resize(size);
    return bytes;
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
    std::filesystem::file_status status = OutputStatus(path);
    if (std::filesystem::is_directory(status)) throw CannotWrite(path, "it is a folder");
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteStream(path, write);
    try {
        PendingFile file(LinkTarget(path));
        write(file.stream());
        file.commit();
    } catch (const std::system_error &failure) {
        throw CannotWrite(path, failure.code().message());
    }
}

void CheckWritable(const std::string &path) {
    std::filesystem::file_status status = OutputStatus(path);
    if (std::filesystem::is_directory(status)) throw CannotWrite(path, "it is a folder");
    // A pipe or a device is written into as it is; only a file has to be made beside its target.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return;
    try {
        PendingFile probe(LinkTarget(path));  // abandoned: nothing is left behind
    } catch (const std::system_error &failure) {
        throw CannotWrite(path, failure.code().message());
    }
}

void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes) {
    WriteFileAtomically(path, [&](std::FILE *file) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
            throw std::system_error(errno, std::generic_category());
    });
}
