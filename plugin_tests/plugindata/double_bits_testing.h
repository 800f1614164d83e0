// Doubles set and compared by their bits, through memory only: a double passed by value on i686
// goes through an x87 register, which turns a signalling NaN quiet.
#pragma once

#include <cstdint>
#include <cstring>

inline void SetBits(double &value, std::uint64_t bits) {
    std::memcpy(&value, &bits, sizeof value);
}

inline std::uint64_t Bits(const double &value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
