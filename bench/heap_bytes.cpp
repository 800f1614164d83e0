#include "bench/heap_bytes.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> held{0}, peak{0};

void *Counted(void *block) {
    if (!block) throw std::bad_alloc();
    std::size_t now = held += malloc_usable_size(block);
    std::size_t high = peak.load();
    while (now > high && !peak.compare_exchange_weak(high, now)) {
    }
    return block;
}

void Release(void *block) noexcept {
    if (!block) return;
    held -= malloc_usable_size(block);
    std::free(block);
}

}  // namespace

std::size_t HeapBytesHeld() {
    return held;
}

void ResetHeapPeak() {
    peak = held.load();
}

std::size_t HeapPeak() {
    return peak;
}

void *operator new(std::size_t size) {
    return Counted(std::malloc(size ? size : 1));
}
void *operator new[](std::size_t size) {
    return Counted(std::malloc(size ? size : 1));
}
void *operator new(std::size_t size, std::align_val_t align) {
    auto alignment = static_cast<std::size_t>(align);
    return Counted(std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment));
}
void *operator new[](std::size_t size, std::align_val_t align) {
    return operator new(size, align);
}
void operator delete(void *block) noexcept {
    Release(block);
}
void operator delete[](void *block) noexcept {
    Release(block);
}
void operator delete(void *block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void *block, std::size_t) noexcept {
    Release(block);
}
void operator delete(void *block, std::align_val_t) noexcept {
    Release(block);
}
void operator delete[](void *block, std::align_val_t) noexcept {
    Release(block);
}
void operator delete(void *block, std::size_t, std::align_val_t) noexcept {
    Release(block);
}
void operator delete[](void *block, std::size_t, std::align_val_t) noexcept {
    Release(block);
}
