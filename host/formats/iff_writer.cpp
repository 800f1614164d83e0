#include "host/formats/iff_writer.h"

#include <bit>
#include <string>

#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"

void IffWriter::u2(std::uint16_t value) {
    out.push_back(std::uint8_t(value >> 8));
    out.push_back(std::uint8_t(value));
}

void IffWriter::u4(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void IffWriter::f4(float value) {
    u4(std::bit_cast<std::uint32_t>(value));
}

void IffWriter::s0(std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    if (text.size() % 2 == 0) out.push_back(0);
}

void IffWriter::vx(std::uint32_t index) {
    if (index < 0xFF00u)
        u2(std::uint16_t(index));
    else
        u4(index | 0xFF000000u);
}

void IffWriter::bytes(std::span<const std::uint8_t> data) {
    out.insert(out.end(), data.begin(), data.end());
}

void IffWriter::begin(LWID id, int sizeBytes) {
    id4(id);
    open.push_back({out.size(), sizeBytes});
    out.insert(out.end(), std::size_t(sizeBytes), 0);
}

void IffWriter::end() {
    Open chunk = open.back();
    open.pop_back();
    std::size_t size = out.size() - chunk.sizeAt - std::size_t(chunk.sizeBytes);
    std::size_t limit = chunk.sizeBytes == 2 ? 0xFFFFu : 0xFFFFFFFFu;
    if (size > limit) {
        LWID id = LWID(out[chunk.sizeAt - 4]) << 24 | LWID(out[chunk.sizeAt - 3]) << 16 |
                  LWID(out[chunk.sizeAt - 2]) << 8 | LWID(out[chunk.sizeAt - 1]);
        throw FormatError("chunk " + IdText(id) + " of " + std::to_string(size) +
                          " bytes does not fit its size field");
    }
    for (int i = 0; i < chunk.sizeBytes; ++i)
        out[chunk.sizeAt + std::size_t(i)] = std::uint8_t(size >> (8 * (chunk.sizeBytes - 1 - i)));
    if (size % 2 == 1) out.push_back(0);
}
