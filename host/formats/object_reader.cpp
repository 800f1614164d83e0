#include "host/formats/object_reader.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "host/formats/file_bytes.h"
#include "host/formats/format_error.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/obj_reader.h"

namespace {

void CheckKnownFormat(const std::string &path) {
    std::string extension = ObjectExtension(path);
    if (extension != "lwo" && extension != "obj")
        throw std::runtime_error(path + ": unknown object format (expected .lwo or .obj)");
}

}  // namespace

std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path) {
    // A folder named like an object, or not, is a folder first.
    RequireRegularFile(path);
    CheckKnownFormat(path);
    return ParseObjectFile(ReadFileBytes(path), path);
}

std::shared_ptr<ObjectFile> ParseObjectFile(std::span<const std::uint8_t> bytes,
                                            const std::string &path) {
    CheckKnownFormat(path);
    if (!ReadsAsObj(path)) {
        // An empty OBJ is an object without polygons; an empty LightWave file is no object.
        if (bytes.empty()) throw FormatError(path + ": is empty");
        return std::make_shared<ObjectFile>(ParseLightWaveObject(bytes, path));
    }
    std::string_view text(reinterpret_cast<const char *>(bytes.data()), bytes.size());
    return std::make_shared<ObjectFile>(ParseObj(text, path));
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
