#include "plugindata/plugin_data_doubles.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

// Doubles are moved as bytes through memcpy only: on i686 a double loaded into an x87 register
// comes back with a signalling NaN turned quiet, and the stored bits must survive as they are.

namespace {

constexpr int DoubleSize = 8;

// A count whose byte size a stream call can carry; anything else writes or reads nothing.
int ByteCount(int count) {
    return (count > 0 && count <= INT_MAX / DoubleSize) ? count * DoubleSize : 0;
}

}  // namespace

void PluginDataWriteDoubles(const LWSaveState *state, const double *values, int count) {
    const int size = ByteCount(count);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size) + 1);
    const auto *from = reinterpret_cast<const unsigned char *>(values);
    for (int i = 0; i < size / DoubleSize; ++i) {
        std::uint64_t bits;
        std::memcpy(&bits, from + i * DoubleSize, DoubleSize);
        for (int b = 0; b < DoubleSize; ++b)
            bytes[i * DoubleSize + b] = static_cast<unsigned char>(bits >> (56 - 8 * b));
    }
    state->writeU1(state->writeData, bytes.data(), size);
}

int PluginDataReadDoubles(const LWLoadState *state, double *values, int count) {
    const int size = ByteCount(count);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size) + 1);
    const int read = state->readU1(state->readData, bytes.data(), size);
    const int whole = read > 0 ? std::min(read, size) / DoubleSize : 0;
    auto *to = reinterpret_cast<unsigned char *>(values);
    for (int i = 0; i < whole; ++i) {
        std::uint64_t bits = 0;
        for (int b = 0; b < DoubleSize; ++b) bits = (bits << 8) | bytes[i * DoubleSize + b];
        std::memcpy(to + i * DoubleSize, &bits, DoubleSize);
    }
    return whole;
}
