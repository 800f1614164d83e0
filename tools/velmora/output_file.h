// Output that appears whole or not at all: written to a file beside the target that takes its
// place only once everything is written (see WriteFileAtomically). A pipe or a device is written
// into as a stream.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Whether a path given for an output means standard output: empty, "-" or "/dev/stdout".
bool NamesStandardOutput(const std::string &path);

// A path that NamesStandardOutput writes to standard output. `write` reports a failed write by
// throwing std::system_error. Throws std::runtime_error "cannot write FILE: REASON", FILE being the
// path or "standard output".
void WriteOutput(const std::string &path, const std::function<void(std::FILE *)> &write);
