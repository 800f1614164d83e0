#include "host/render/png_file.h"

#include <png.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace render {

namespace {

[[noreturn]] void Fail(const std::string &path, const std::string &problem) {
    throw std::runtime_error(path + ": " + problem);
}

std::string SystemError() {
    return std::strerror(errno);
}

// Writes the PNG to a new file in the directory of `path`; returns the file's name.
std::string WriteTemporary(const Image &image, const std::string &path) {
    std::string temporary = path + ".partial-XXXXXX";
    int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) Fail(path, "cannot create a file beside it: " + SystemError());
    // mkstemp makes the file private; a picture is as readable as any file the user writes.
    fchmod(descriptor, 0644);
    FILE *file = fdopen(descriptor, "wb");
    if (!file) {
        std::string problem = SystemError();
        close(descriptor);
        unlink(temporary.c_str());
        Fail(path, "cannot open for writing: " + problem);
    }

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    int written = png_image_write_to_stdio(&png, file, 0, image.pixels.data(), 0, nullptr);
    std::string pngProblem = png.message;
    png_image_free(&png);
    bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    std::string flushProblem = flushed ? "" : SystemError();
    bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        unlink(temporary.c_str());
        Fail(path, "cannot write: " + (!written ? pngProblem : flushProblem));
    }
    return temporary;
}

}  // namespace

void WritePng(const Image &image, const std::string &path) {
    if (image.width <= 0 || image.height <= 0) Fail(path, "cannot write an empty picture");
    std::string temporary = WriteTemporary(image, path);
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::string problem = SystemError();
        unlink(temporary.c_str());
        Fail(path, "cannot put the written file in place: " + problem);
    }
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
