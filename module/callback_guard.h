// Every host callback runs its body through Guarded: nothing thrown may cross into the host, which
// gets its neutral value instead.
#pragma once

#include <cstddef>
#include <type_traits>

template <typename Body>
auto Guarded(std::invoke_result_t<Body> neutral, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return neutral;
    }
}

template <typename Body>
void GuardedVoid(Body body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

// What a scan callback answers the host to stop its scan of an object's polygons.
inline constexpr std::size_t StopScan = 1;

// Runs one polygon's step of a host scan as a host callback must: guarded, stopping the scan on
// failure. The host's frames sit between the scan and its caller, so nothing may be thrown
// through them, and a host that scans on after being asked to stop is not listened to.
template <typename Step>
std::size_t GuardedScanStep(bool &stopped, Step step) noexcept {
    if (!stopped)
        stopped = Guarded(StopScan, [&] {
                      step();
                      return std::size_t{0};
                  }) != 0;
    return stopped ? StopScan : 0;
}
