// Whole-file reading and all-or-nothing writing, for the object-file formats and every other file
// the host writes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The most a file read whole may hold: beyond it, a file is refused rather than let to take
// the memory. Far above any object the host is asked to render.
constexpr std::uintmax_t MostFileBytes = std::uintmax_t(sizeof(void *) >= 8 ? 4096 : 1024) << 20;

// Throws FormatError naming the file when it cannot be read, is no regular file (a pipe or a
// device never ends) or holds more than MostFileBytes.
std::vector<std::uint8_t> ReadFileBytes(const std::string &path);

// Throws FormatError naming the path and what it is when it is no regular file.
void RequireRegularFile(const std::string &path);

// Lets `write` fill a file beside `path` (see PendingFile: it has no name while written where
// the system allows), flushes it to the disk and puts it in place of `path`, so that a failure,
// a crash or an interrupt never leaves a half-written file and the old file stays as it was. A
// link is followed (the file it names is replaced, the link stays) and a file replaced passes
// on its permissions. A pipe or a device is written into as it is, never replaced. `write` reports
// a failed write by throwing std::system_error; it and every other failure of the write, flush,
// close or rename become a FormatError "cannot write PATH: REASON", after the temporary file is
// removed. Any other exception from `write` passes through, also after the temporary file is
// removed.
void WriteFileAtomically(const std::string &path, const std::function<void(std::FILE *)> &write);
void WriteFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);

// Throws the FormatError WriteFileAtomically would throw when it could not even begin (a folder
// that does not exist or takes no new file, or a path that is a folder); nothing is left behind.
// A command checks its outputs so before long work, not after.
void CheckWritable(const std::string &path);

// The file a path names once links are followed, even when that file does not exist yet.
std::string LinkTarget(const std::string &path);
