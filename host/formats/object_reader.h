// Reads an object file in whichever form its extension names.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "host/scene/scene.h"

// Reads a LightWave object (.lwo: LWO3, LWO2 or LWOB) or an OBJ (.obj) object. Throws
// std::runtime_error naming the file.
std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path);
// The same from the file's bytes, already read.
std::shared_ptr<ObjectFile> ParseObjectFile(std::span<const std::uint8_t> bytes,
                                            const std::string &path);

// The extension of the file that `path` names, in lower case and without its dot; empty when
// it has none.
std::string ObjectExtension(const std::string &path);

// Whether LoadObjectFile reads the file at `path` as an OBJ object.
bool ReadsAsObj(const std::string &path);
