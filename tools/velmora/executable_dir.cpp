#include "tools/velmora/executable_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

std::string ExecutableDir() {
    char path[4096];
#ifdef _WIN32
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "";
#else
    ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return "";
#endif
    std::string program(path, static_cast<std::size_t>(length));
    std::size_t slash = program.find_last_of("/\\");
    return slash == std::string::npos ? "" : program.substr(0, slash + 1);
}
