#include "tools/velmora/output_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "host/formats/file_bytes.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool ReplaceFile(const std::string &from, const std::string &to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

void WriteOutput(const std::string &path, const std::function<void(std::FILE *)> &write) {
    if (path.empty() || path == "-") {
        write(stdout);
        if (std::fflush(stdout) != 0) throw std::runtime_error("standard output: write failed");
        return;
    }
    std::string temporary = TemporaryPathBeside(path);
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    if (!file) throw std::runtime_error(path + ": cannot write: " + std::strerror(errno));
    try {
        write(file);
    } catch (const std::exception &error) {
        std::fclose(file);
        std::remove(temporary.c_str());
        throw std::runtime_error(path + ": " + error.what());
    }
    bool closed = std::fclose(file) == 0;
    if (!closed || !ReplaceFile(temporary, path)) {
        std::remove(temporary.c_str());
        throw std::runtime_error(path + ": cannot write: " + std::strerror(errno));
    }
}
