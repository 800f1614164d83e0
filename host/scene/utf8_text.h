// Names in the host's formats are bytes, not text of a known encoding: older LightWave objects
// and OBJ files often carry Latin-1 (`usemtl M\xe9tal`). JSON and glTF take UTF-8 only, so a name
// goes to them through Utf8Text; the object keeps its own bytes for everything it writes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The code point whose UTF-8 sequence starts at `at`, which moves past it; nothing for a
// malformed sequence (a stray or missing continuation byte, an overlong form, a surrogate, past
// U+10FFFF), `at` then moving past its first byte only.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t &at);

bool IsUtf8(std::string_view text);

// `bytes` as UTF-8 text: as they are when they are UTF-8, else each byte read as the Latin-1
// character of its value. Never fails, and gives valid UTF-8 text unchanged.
std::string Utf8Text(std::string_view bytes);
