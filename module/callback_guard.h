// Every host callback runs its body through Guarded: nothing thrown may cross into the host, which
// gets its neutral value instead.
#pragma once

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
