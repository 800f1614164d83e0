#include "platform/shader_lock.h"

#ifdef _WIN32

ShaderLock::ShaderLock() {
    InitializeCriticalSection(&section);
}
ShaderLock::~ShaderLock() {
    DeleteCriticalSection(&section);
}
void ShaderLock::enter() {
    EnterCriticalSection(&section);
}
void ShaderLock::leave() {
    LeaveCriticalSection(&section);
}

#else

namespace {

// A pause takes 10 to 40 ns on current processors, so this is a few microseconds at most: about
// as long as one sample holds the lock, and short enough that a waiter whose holder was put to
// sleep soon sleeps too.
constexpr int SpinsBeforeSleeping = 100;

void PauseBriefly() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

ShaderLock::ShaderLock() = default;
ShaderLock::~ShaderLock() = default;
// Samples hold the lock for about a microsecond, far less than a sleep and wake-up in the kernel
// costs, so a waiter first spins, as a Windows critical section does.
void ShaderLock::enter() {
    for (int spin = 0; spin < SpinsBeforeSleeping; ++spin) {
        if (section.try_lock()) return;
        PauseBriefly();
    }
    section.lock();
}
void ShaderLock::leave() {
    section.unlock();
}

#endif
