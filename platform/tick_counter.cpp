#include "platform/tick_counter.h"

#ifdef _WIN32
#include <windows.h>

std::uint32_t TickCount() {
    return GetTickCount();
}

#else
#include <chrono>

std::uint32_t TickCount() {
    using namespace std::chrono;
    auto sinceBoot = steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceBoot).count());
}

#endif
