// PNG files of 8-bit RGB pictures. Errors throw std::runtime_error naming the file.
#pragma once

#include <string>

#include "host/render/image.h"

namespace render {

// Writes beside `path` first and renames into place, so that a reader never sees half a file
// and a failed write leaves an earlier file at `path` untouched.
void WritePng(const Image &image, const std::string &path);

Image ReadPng(const std::string &path);

}  // namespace render
