// Whole-file reading and all-or-nothing writing for the object-file formats.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Throws FormatError naming the file when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string &path);
// Writes to a temporary file beside `path` and renames it over `path`, so a failure never leaves
// a half-written file. Throws FormatError naming the file.
void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);
