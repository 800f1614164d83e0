// Text output for the writers of large meshes: numbers formatted through to_chars into one growing
// buffer, written out a megabyte at a time. The writer flushes the last lines itself: a failure
// then reaches it as an exception, which a destructor could not let out.
#pragma once

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

class TextLines {
  public:
    // With a null `out`, the text stays in the buffer for text() to hand over.
    explicit TextLines(std::FILE *out) : out(out) {}

    TextLines &text(std::string_view s) {
        buffer += s;
        return *this;
    }
    TextLines &integer(long long value) {
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        buffer.append(digits, end);
        return *this;
    }
    TextLines &number(double value, int precision) {
        char digits[40];
        auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general,
                                 precision)
                       .ptr;
        buffer.append(digits, end);
        return *this;
    }
    // The shortest text that reads back to the same float.
    TextLines &number(float value) {
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        buffer.append(digits, end);
        return *this;
    }
    void endLine() {
        buffer += '\n';
        if (out && buffer.size() > (1 << 20)) flush();
    }
    // Throws std::system_error when the file refuses the text.
    void flush() {
        if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size())
            throw std::system_error(errno, std::generic_category());
        buffer.clear();
    }
    std::string &text() { return buffer; }

  private:
    std::FILE *out;
    std::string buffer;
};
