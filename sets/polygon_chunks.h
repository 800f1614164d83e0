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

// The same, with `alone()` called once beside the chunks, on a core of its own while it runs:
// for work that must walk the whole range in order on one core, such as gathering the polygons
// at each point, which the chunks then need not wait for.
template <class Alone, class Work>
void ForEachChunkBeside(const Alone &alone, std::size_t count, std::size_t size, const Work &work) {
    std::size_t chunks = (count + size - 1) / size;
    ForEachOnThreads(1 + chunks, Cores(), [&](std::size_t task) {
        if (task == 0) {
            alone();
            return;
        }
        std::size_t chunk = task - 1;
        work(chunk * size, std::min(count, (chunk + 1) * size));
    });
}
