#include "host/formats/object_reader.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "host/formats/lightwave_object.h"
#include "host/formats/obj_reader.h"

std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path) {
    std::string extension = ObjectExtension(path);
    if (extension == "lwo") return std::make_shared<ObjectFile>(ReadLightWaveObject(path));
    if (extension == "obj") return std::make_shared<ObjectFile>(ReadObj(path));
    throw std::runtime_error(path + ": unknown object format (expected .lwo or .obj)");
}

std::string ObjectExtension(const std::string &path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool ReadsAsObj(const std::string &path) {
    return ObjectExtension(path) == "obj";
}
