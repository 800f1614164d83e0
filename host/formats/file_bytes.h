// Whole-file reading and all-or-nothing writing, for the object-file formats and every other file
// the host writes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Throws FormatError naming the file when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string &path);

// Lets `write` fill a temporary file beside `path`, flushes it to the disk and renames it over
// `path`, so that a failure or a crash never leaves a half-written file and the old file stays
// as it was. A link is followed (the file it names is replaced, the link stays) and a file
// replaced passes on its permissions. `write` reports a failed write by throwing
// std::system_error; it and every other failure of the write, flush, close or rename become a
// FormatError "cannot write PATH: REASON", after the temporary file is removed. Any other
// exception from `write` passes through, also after the temporary file is removed.
void WriteFileAtomically(const std::string &path, const std::function<void(std::FILE *)> &write);
void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);

// A name for a temporary file beside `path`, unique to this process and call: runs writing the
// same file at once each write their own, and the last rename wins whole.
std::string TemporaryPathBeside(const std::string &path);

// The file a path names once links are followed, even when that file does not exist yet.
std::string LinkTarget(const std::string &path);
