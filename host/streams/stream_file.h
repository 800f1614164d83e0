// Streams kept in files: what a save stream wrote goes to a file only when it is whole, and a
// file comes back as a load stream of the host's text or binary form.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/streams/load_stream.h"
#include "host/streams/save_stream.h"

// Writes the stream's bytes to `path`. Throws std::runtime_error naming the file and the problem
// (a refused write, a block left open, a failed write); `path` is then left as it was.
void WriteStreamFile(const std::string &path, const SaveStream &stream);

// Throws std::runtime_error naming the file when it cannot be read.
std::vector<unsigned char> ReadStreamFile(const std::string &path);

// A save stream of `ioMode` (LWIO_BINARY or LWIO_ASCII) over memory.
std::unique_ptr<SaveStream> MakeSaveStream(int ioMode);
// A load stream of `ioMode` (LWIO_BINARY or LWIO_ASCII) over `bytes`.
std::unique_ptr<LoadStream> MakeLoadStream(int ioMode, std::vector<unsigned char> bytes);
std::unique_ptr<LoadStream> OpenLoadStream(int ioMode, const std::string &path);
