#include "host/scene/printable_text.h"

namespace {

void AppendHex(std::string &out, unsigned char byte) {
    constexpr char Digits[] = "0123456789abcdef";
    out += "\\x";
    out += Digits[byte >> 4];
    out += Digits[byte & 15];
}

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7f;
}

// The second byte of a two-byte UTF-8 sequence C2 80..C2 9F: a C1 control such as CSI.
bool StartsC1(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) == 0xc2 && at + 1 < text.size() &&
           static_cast<unsigned char>(text[at + 1]) >= 0x80 &&
           static_cast<unsigned char>(text[at + 1]) <= 0x9f;
}

}  // namespace

std::string PrintableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\n')
            out += "\\n";
        else if (byte == '\r')
            out += "\\r";
        else if (byte == '\t')
            out += "\\t";
        else if (IsControl(byte))
            AppendHex(out, byte);
        else if (StartsC1(text, at)) {
            AppendHex(out, byte);
            AppendHex(out, static_cast<unsigned char>(text[++at]));
        } else
            out += text[at];
    }
    return out;
}
