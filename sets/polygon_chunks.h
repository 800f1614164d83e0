// Work over a long range, such as a mesh's polygons, in chunks of a fixed size spread over every
// core. The chunks do not depend on the number of threads, so a result kept per chunk and
// combined in chunk order is the same on any machine.
#pragma once

#include <algorithm>
#include <cstddef>

#include "host/for_each_on_threads.h"

// Polygons per chunk of a proposer's work on one core.
constexpr std::size_t PolygonsPerChunk = 1 << 14;

// How many chunks of `size` cover [0, count), the last one perhaps short.
constexpr std::size_t ChunkCount(std::size_t count, std::size_t size) {
    return (count + size - 1) / size;
}

// Calls `work(first, last)` for chunk `chunk` of [0, count), `size` at a time.
template <class Work>
void WorkOnChunk(std::size_t chunk, std::size_t count, std::size_t size, const Work &work) {
    work(chunk * size, std::min(count, (chunk + 1) * size));
}

// Calls `work(first, last)` once per chunk of [0, count), `size` at a time, on every core.
template <class Work>
void ForEachChunk(std::size_t count, std::size_t size, const Work &work) {
    ForEachOnThreads(ChunkCount(count, size), Cores(),
                     [&](std::size_t chunk) { WorkOnChunk(chunk, count, size, work); });
}

// Calls `work(share, first, last)` once for each of Cores() equal shares of [0, count), one
// share a core: for work whose shares' results are merged in a way their order cannot change.
template <class Work>
void ForEachShare(std::size_t count, const Work &work) {
    const std::size_t shares = Cores();
    ForEachOnThreads(shares, Cores(), [&](std::size_t share) {
        work(share, count * share / shares, count * (share + 1) / shares);
    });
}

// The same, with `alone()` called once beside the chunks, on a core of its own while it runs:
// for work that must walk the whole range in order on one core, such as gathering the polygons
// at each point, which the chunks then need not wait for.
template <class Alone, class Work>
void ForEachChunkBeside(const Alone &alone, std::size_t count, std::size_t size, const Work &work) {
    ForEachOnThreads(1 + ChunkCount(count, size), Cores(), [&](std::size_t task) {
        if (task == 0)
            alone();
        else
            WorkOnChunk(task - 1, count, size, work);
    });
}
