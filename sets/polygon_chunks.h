// Work over a long range, such as a mesh's polygons, in chunks of a fixed size spread over every
// core. The chunks do not depend on the number of threads, so a result kept per chunk and
// combined in chunk order is the same on any machine.
#pragma once

#include <algorithm>
#include <cstddef>

#include "host/for_each_on_threads.h"

// Calls `work(first, last)` once per chunk of [0, count), `size` at a time, on every core.
template <class Work>
void ForEachChunk(std::size_t count, std::size_t size, const Work &work) {
    std::size_t chunks = (count + size - 1) / size;
    ForEachOnThreads(chunks, Cores(), [&](std::size_t chunk) {
        work(chunk * size, std::min(count, (chunk + 1) * size));
    });
}
