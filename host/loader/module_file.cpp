#include "host/loader/module_file.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
void *OpenLibrary(const std::string &path) {
    return LoadLibraryA(path.c_str());
}
void *FindSymbol(void *library, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void CloseLibrary(void *library) {
    FreeLibrary(static_cast<HMODULE>(library));
}
std::string LastError() {
    return "error " + std::to_string(GetLastError());
}
#else
void *OpenLibrary(const std::string &path) {
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void *FindSymbol(void *library, const char *name) {
    return dlsym(library, name);
}
void CloseLibrary(void *library) {
    dlclose(library);
}
std::string LastError() {
    const char *text = dlerror();
    return text ? text : "unknown error";
}
#endif

// Why a file that is there did not open: the loader's own words, without the path it starts
// them with.
std::string OpenProblem(const std::string &opened) {
    std::string reason = LastError();
    if (reason.starts_with(opened + ": ")) reason.erase(0, opened.size() + 2);
    return reason;
}

}  // namespace

ModuleFile::ModuleFile(const std::string &path) {
    // The loader would read a pipe or a device until it ends, which may be never.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw std::runtime_error(
            path + ": cannot load module: " +
            (std::filesystem::exists(path, error) ? "not a regular file" : "no such file"));
    // A bare file name is a file in the current folder, as a user means it; the system's loader
    // would look for it among the system's libraries instead.
    std::string opened = std::filesystem::absolute(path, error).string();
    library = OpenLibrary(opened);
    if (!library)
        throw std::runtime_error(path + ": cannot load module: not a module this host can load (" +
                                 OpenProblem(opened) + ")");
    record = static_cast<ModuleDescriptor *>(FindSymbol(library, "_mod_descrip"));
    std::string problem;
    if (!record)
        problem = "no _mod_descrip export";
    else if (record->sysSync != MOD_SYSSYNC)
        problem = "bad module descriptor sync word";
    else if (!record->serverDefs)
        problem = "module descriptor has no server list";
    if (!problem.empty()) {
        CloseLibrary(library);
        throw std::runtime_error(path + ": " + problem);
    }
}

ModuleFile::~ModuleFile() {
    CloseLibrary(library);
}

ActivateFunc *FindServer(const ModuleDescriptor &module, const char *className, const char *name) {
    for (const ServerRecord *server = module.serverDefs; server->className; ++server) {
        if (std::strcmp(server->className, className) == 0 && server->name &&
            std::strcmp(server->name, name) == 0)
            return server->activate;
    }
    return nullptr;
}
