// Output that appears whole or not at all: written to a temporary file beside the target, which
// replaces the target only once everything is written.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// An empty path or "-" writes to standard output. `write` reports a failed write by throwing
// std::system_error. Throws std::runtime_error "cannot write FILE: REASON", FILE being the path
// or "standard output".
void WriteOutput(const std::string &path, const std::function<void(std::FILE *)> &write);
