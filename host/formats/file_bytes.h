// Whole-file reading and all-or-nothing writing for the object-file formats.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Throws FormatError naming the file when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string &path);
// Writes to a temporary file beside `path`, flushes it to the disk and renames it over `path`,
// so that a failure or a crash never leaves a half-written file; a file replaced passes on its
// permissions. Throws FormatError naming the file.
void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);
// A name for a temporary file beside `path`, unique to this process and call: runs writing the
// same file at once each write their own, and the last rename wins whole.
std::string TemporaryPathBeside(const std::string &path);
