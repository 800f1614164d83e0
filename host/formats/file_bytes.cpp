#include "host/formats/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include "host/formats/format_error.h"

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
void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = path + ".writing";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) throw FormatError(path + ": cannot create " + temporary);
        file.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        file.close();
        if (!file) {
            std::remove(temporary.c_str());
            throw FormatError(path + ": cannot write " + temporary);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        throw FormatError(path + ": cannot replace it: " + error.message());
    }
}
