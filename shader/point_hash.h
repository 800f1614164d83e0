// Where a point's entry starts its search in an open-addressing table of 2^bits entries
// (bits at least 2).
#pragma once

#include <cstddef>
#include <cstdint>

#include "hostapi/lwtypes.h"

// A host's point ids are addresses, and a scan in mesh order meets points that lie near each
// other in memory. So the low bits of the address pass through, keeping nearby points in nearby
// entries (a scan of a large mesh then walks the table instead of missing the cache on every
// corner), while the bits above them are mixed, spreading those runs over the whole table. Small
// tables sit in cache anyway and are mixed throughout.
inline std::size_t PointHash(LWPntID point, int bits) {
    // Point records are at least a few bytes apart: the lowest two bits carry nothing.
    auto word = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(point)) >> 2;
    int runBits = bits / 2 < 10 ? bits / 2 : 10;
    std::uint64_t run = (word >> runBits) * 0x9E3779B97F4A7C15ull;  // Fibonacci hashing
    std::uint64_t runStart = run >> (64 - (bits - runBits)) << runBits;
    std::uint64_t within = word & ((std::uint64_t{1} << runBits) - 1);
    return static_cast<std::size_t>(runStart | within);
}
