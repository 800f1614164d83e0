#include "host/formats/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// A signal handler may only read plain atomics: the paths being written sit in fixed slots.
constexpr int Slots = 64;
std::array<std::atomic<const char *>, Slots> pendingPaths{};

void RemovePendingAndEnd(int signal) {
    for (std::atomic<const char *> &slot : pendingPaths)
        if (const char *path = slot.load())
#ifdef _WIN32
            std::remove(path);
#else
            unlink(path);  // unlike std::remove, safe in a signal handler
#endif
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void TakeOverIfDefault(int signal) {
#ifdef _WIN32
    auto previous = std::signal(signal, RemovePendingAndEnd);
    if (previous != SIG_DFL) std::signal(signal, previous);
#else
    struct sigaction current {};
    if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction handler {};
    handler.sa_handler = RemovePendingAndEnd;
    sigemptyset(&handler.sa_mask);
    sigaction(signal, &handler, nullptr);
#endif
}

}  // namespace

InterruptCleanup::InterruptCleanup(std::string path) : path(std::move(path)) {
    static std::once_flag handlers;
    std::call_once(handlers, [] {
        TakeOverIfDefault(SIGINT);
        TakeOverIfDefault(SIGTERM);
    });
    for (int i = 0; i < Slots && slot < 0; ++i) {
        const char *free = nullptr;
        if (pendingPaths[i].compare_exchange_strong(free, this->path.c_str())) slot = i;
    }
}

InterruptCleanup::~InterruptCleanup() {
    if (slot >= 0) pendingPaths[slot].store(nullptr);
}
