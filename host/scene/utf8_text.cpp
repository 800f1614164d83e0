#include "host/scene/utf8_text.h"

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t &at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    int length = lead < 0x80         ? 1
                 : lead >> 5 == 0x6  ? 2
                 : lead >> 4 == 0xE  ? 3
                 : lead >> 3 == 0x1E ? 4
                                     : 0;
    if (length == 0 || at + length > text.size()) {
        ++at;
        return std::nullopt;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if (byte(at + i) >> 6 != 0x2) {
            ++at;
            return std::nullopt;
        }
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    static constexpr char32_t Shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    bool valid = code >= Shortest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    at += valid ? length : 1;
    return valid ? std::optional(code) : std::nullopt;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();)
        if (!NextCodePoint(text, at)) return false;
    return true;
}

std::string Utf8Text(std::string_view bytes) {
    if (IsUtf8(bytes)) return std::string(bytes);
    std::string text;
    text.reserve(2 * bytes.size());
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | byte >> 6);
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}
