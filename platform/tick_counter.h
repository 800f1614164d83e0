// Milliseconds since an arbitrary start, wrapping at 2^32 as the Windows tick counter does.
#pragma once

#include <cstdint>

std::uint32_t TickCount();
