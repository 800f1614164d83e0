#include "tools/velmora/output_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "host/formats/file_bytes.h"

namespace {

std::runtime_error CannotWriteStandardOutput(const std::string &reason) {
    return std::runtime_error("cannot write standard output: " + reason);
}

void WriteStandardOutput(const std::function<void(std::FILE *)> &write) {
    try {
        write(stdout);
    } catch (const std::system_error &failure) {
        throw CannotWriteStandardOutput(failure.code().message());
    }
    if (std::ferror(stdout) || std::fflush(stdout) != 0)
        throw CannotWriteStandardOutput(std::strerror(errno));
}

}  // namespace

bool NamesStandardOutput(const std::string &path) {
    // By name: what /dev/stdout links to may be a file the shell opened, which a replacement
    // would take from under it.
    return path.empty() || path == "-" || path == "/dev/stdout";
}

void WriteOutput(const std::string &path, const std::function<void(std::FILE *)> &write) {
    if (NamesStandardOutput(path))
        WriteStandardOutput(write);
    else
        WriteFileAtomically(path, write);
}
