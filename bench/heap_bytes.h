// The bytes a benchmark program holds on the heap, counted by its own operator new and delete:
// what a structure costs, measured rather than estimated from its sizes.
//
// Every block from operator new counts at the size the allocator actually gives it
// (malloc_usable_size), from its allocation to its release, on every thread. Memory that does not
// come from operator new is not counted: threads' stacks, and C code calling malloc itself.
#pragma once

#include <cstddef>

// The bytes held now.
std::size_t HeapBytesHeld();

// Starts a new high mark at the bytes held now.
void ResetHeapPeak();

// The most bytes held at once since the last ResetHeapPeak.
std::size_t HeapPeak();
