// An instance of the module read from and written to a stream through its own load and save
// callbacks, with the module's error turned into an exception.
#pragma once

#include <vector>

#include "host/session/host_session.h"
#include "host/streams/load_stream.h"

// Throws std::runtime_error with the module's message when its load callback refuses the data.
void LoadInstance(HostSession &session, LWInstance instance, LoadStream &stream);

// What the save callback writes in the stream form `ioMode` (LWIO_BINARY or LWIO_ASCII).
// Throws std::runtime_error with the module's message when it reports an error.
std::vector<unsigned char> SavedBytes(HostSession &session, LWInstance instance, int ioMode);

// SavedBytes, once it is known that the module takes every setting back as it is: each set's
// name and angle are ones it reads back whole, the binary form's blocks hold them all, and the
// module, loading the bytes again, saves the same bytes. Throws std::runtime_error naming the
// first set that would not survive.
std::vector<unsigned char> SavedBytesReadBack(HostSession &session, LWInstance instance,
                                              int ioMode);
