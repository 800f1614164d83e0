// Work spread over threads (the object reader's chunks, the blocks of `velmora normals`), and how
// many threads the machine offers it.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

// The threads this machine runs at once; at least one, as the count may be unknown (0).
inline unsigned Cores() {
    return std::max(1u, std::thread::hardware_concurrency());
}

// Calls `work(i)` once for each i below `count`, on up to `threads` threads, this one among them.
// An exception stops the calls not yet begun and is thrown again here once all threads have
// ended. Threads that cannot be started leave their share to the others.
template <class Work>
void ForEachOnThreads(std::size_t count, unsigned threads, const Work &work) {
    std::atomic<std::size_t> next{0};
    std::mutex failing;
    std::exception_ptr failure;
    auto run = [&] {
        try {
            for (std::size_t i = next++; i < count; i = next++) work(i);
        } catch (...) {
            std::lock_guard lock(failing);
            if (!failure) failure = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < std::min<std::size_t>(threads, count); ++t)
            helpers.emplace_back(run);
    } catch (const std::system_error &) {
        // The threads already running, this one at least, do all the work.
    }
    run();
    for (std::thread &helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}
