#include "host/formats/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/formats/format_error.h"

std::vector<std::uint8_t> ReadFileBytes(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw FormatError(path + ": cannot open: " + std::strerror(errno));
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                    std::istreambuf_iterator<char>()};
    if (file.bad()) throw FormatError(path + ": cannot read");
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
