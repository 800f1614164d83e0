#include "host/render/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "host/formats/file_bytes.h"

namespace render {

namespace {

[[noreturn]] void Fail(const std::string &path, const std::string &problem) {
    throw std::runtime_error(path + ": " + problem);
}

}  // namespace

void WritePng(const Image &image, const std::string &path) {
    if (image.width <= 0 || image.height <= 0) Fail(path, "cannot write an empty picture");
    WriteFileAtomically(path, [&](std::FILE *file) {
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        png.width = static_cast<png_uint_32>(image.width);
        png.height = static_cast<png_uint_32>(image.height);
        png.format = PNG_FORMAT_RGB;
        int written = png_image_write_to_stdio(&png, file, 0, image.pixels.data(), 0, nullptr);
        std::string problem = png.message;
        png_image_free(&png);
        if (std::ferror(file)) throw std::system_error(errno, std::generic_category());
        if (!written) Fail(path, "cannot write: " + problem);
    });
}

Image ReadPng(const std::string &path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        Fail(path, std::string("cannot read: ") + png.message);
    constexpr png_uint_32 largestSide = 1 << 14;
    if (png.width > largestSide || png.height > largestSide) {
        png_image_free(&png);
        Fail(path, "picture of " + std::to_string(png.width) + "x" + std::to_string(png.height) +
                       " pixels is larger than " + std::to_string(largestSide) + " on a side");
    }
    png.format = PNG_FORMAT_RGB;
    Image image(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
        std::string problem = png.message;
        png_image_free(&png);
        Fail(path, "cannot read: " + problem);
    }
    return image;
}

}  // namespace render
