#include "host/formats/object_reader.h"

#include <algorithm>
#include <stdexcept>

#include "host/formats/lightwave_object.h"
#include "host/formats/obj_reader.h"

namespace {

std::string Extension(const std::string &path) {
    std::size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path) {
    std::string extension = Extension(path);
    if (extension == "lwo") return std::make_shared<ObjectFile>(ReadLightWaveObject(path));
    if (extension == "obj") return std::make_shared<ObjectFile>(ReadObj(path));
    throw std::runtime_error(path + ": unknown object format (expected .lwo or .obj)");
}

bool ReadsAsObj(const std::string &path) {
    return Extension(path) == "obj";
}
