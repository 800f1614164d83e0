// Big-endian IFF output with nested chunks whose sizes are filled in when they end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "hostapi/lwtypes.h"

class IffWriter {
  public:
    void u1(std::uint8_t value) { out.push_back(value); }
    void u2(std::uint16_t value);
    void u4(std::uint32_t value);
    void f4(float value);
    void id4(LWID id) { u4(id); }
    // NUL-terminated and padded to even length (S0); `text` must hold no NUL.
    void s0(std::string_view text);
    // Two bytes below 0xFF00, else four with 0xFF first (VX); `index` must be below 2^24.
    void vx(std::uint32_t index);
    void bytes(std::span<const std::uint8_t> data);

    // A chunk has a 4-byte size, a sub-chunk a 2-byte one; both end padded to even length.
    void beginChunk(LWID id) { begin(id, 4); }
    void beginSubChunk(LWID id) { begin(id, 2); }
    // Throws FormatError when a sub-chunk outgrew its 2-byte size; callers check sizes first
    // to say which of their data was too large.
    void end();

    // The bytes written so far, open chunks' size fields included.
    std::size_t size() const { return out.size(); }
    std::vector<std::uint8_t> take() { return std::move(out); }

  private:
    void begin(LWID id, int sizeBytes);

    struct Open {
        std::size_t sizeAt;
        int sizeBytes;
    };
    std::vector<std::uint8_t> out;
    std::vector<Open> open;
};

// The bytes an S0 string of `text` takes.
inline std::size_t S0Size(std::string_view text) {
    return (text.size() + 2) & ~std::size_t(1);
}
