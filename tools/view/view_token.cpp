#include "tools/view/view_token.h"

#include <array>
#include <cstdint>
#include <random>

namespace {

constexpr char UrlSafeAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

}  // namespace

std::string NewViewToken() {
    // libstdc++ reads the kernel's random source here, never a seeded engine.
    std::random_device source;
    std::array<std::uint8_t, 33> bytes;  // 264 bits: a whole number of base64 characters
    for (std::uint8_t &byte : bytes) byte = static_cast<std::uint8_t>(source());
    std::string token;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        std::uint32_t group = bytes[at] << 16 | bytes[at + 1] << 8 | bytes[at + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            token += UrlSafeAlphabet[(group >> shift) & 63];
    }
    return token;
}

bool TokenMatches(std::string_view given, std::string_view token) {
    if (given.size() != token.size()) return false;
    unsigned char differences = 0;
    for (std::size_t i = 0; i < token.size(); ++i) differences |= given[i] ^ token[i];
    return differences == 0;
}
