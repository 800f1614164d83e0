// Bounds-checked reading of big-endian IFF data (LWO2 object files). A cursor covers one chunk
// or sub-chunk and knows where it lies in the file, so every problem is reported with its place,
// and no size or count read from a file can move it past its own bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "host/formats/id_text.h"
#include "hostapi/lwtypes.h"

class IffCursor {
  public:
    // `fileOffset` is the position of bytes[0] in the file; `place` prefixes every error.
    IffCursor(std::span<const std::uint8_t> bytes, std::size_t fileOffset, std::string place);

    std::size_t remaining() const { return bytes.size() - position; }
    bool atEnd() const { return position == bytes.size(); }
    std::size_t offset() const { return base + position; }
    const std::string &place() const { return where; }

    std::uint8_t u1();
    std::uint16_t u2();
    std::uint32_t u4();
    float f4();
    LWID id4() { return u4(); }
    // A NUL-terminated string padded to even length (S0).
    std::string s0();
    // A point or polygon index: two bytes, or four when the first is 0xFF (VX).
    std::uint32_t vx();
    // How many bytes the VX at the cursor takes: 2 or 4 by its first byte, 2 at the end.
    std::size_t vxBytes() const;
    std::span<const std::uint8_t> take(std::size_t count);
    // Skips the pad byte after data of odd `size`, when the data goes on.
    void skipPad(std::size_t size);

    // The next chunk (4-byte size) or sub-chunk (2-byte size) header and body, checked to fit.
    struct Chunk {
        LWID id;
        std::size_t offset;
        std::size_t size;
    };
    Chunk chunkHeader(int sizeBytes);
    // A cursor over the body of `chunk` (just read by chunkHeader), and steps past it and its pad.
    IffCursor enter(const Chunk &chunk, const char *kind);

    [[noreturn]] void fail(const std::string &problem) const;

  private:
    void need(std::size_t count, const char *what) const;

    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    std::size_t base;
    std::string where;
};
