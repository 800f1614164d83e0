#include "tools/view/view_glb.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "host/formats/glb_writer.h"

std::string GlbOf(const ViewObject &object) {
    CornerBlock normals = object.unitCornerNormals();
    bool handedOut = false;
    auto next = [&]() -> const CornerBlock * {
        if (handedOut) return nullptr;
        handedOut = true;
        return &normals;
    };
    char *buffer = nullptr;
    std::size_t size = 0;
    std::FILE *out = open_memstream(&buffer, &size);
    if (!out) throw std::system_error(errno, std::generic_category(), "open_memstream");
    auto closed = [&buffer, &size, &out] {
        std::fclose(out);
        std::unique_ptr<char, decltype(&std::free)> held(buffer, &std::free);
        return buffer ? std::string(buffer, size) : std::string();
    };
    try {
        WriteGlb(out, object.file(), next);
    } catch (...) {
        closed();
        throw;
    }
    return closed();
}

std::string GlbDownloadName(const std::string &objectPath) {
    std::string name = std::filesystem::path(objectPath).stem().string();
    for (char &c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_' || c == '.' || c == ' ';
        if (!plain) c = '_';
    }
    if (name.empty()) name = "object";
    return name + ".glb";
}
