#include "host/formats/iff_cursor.h"

#include <bit>
#include <cstring>

#include "host/formats/format_error.h"

IffCursor::IffCursor(std::span<const std::uint8_t> bytes, std::size_t fileOffset, std::string place)
    : bytes(bytes), base(fileOffset), where(std::move(place)) {}

void IffCursor::fail(const std::string &problem) const {
    throw FormatError(where + ": " + problem);
}

void IffCursor::need(std::size_t count, const char *what) const {
    if (count > remaining())
        fail(std::string(what) + " at byte " + std::to_string(offset()) + " needs " +
             std::to_string(count) + " bytes, " + std::to_string(remaining()) + " left");
}

std::uint8_t IffCursor::u1() {
    need(1, "a byte");
    return bytes[position++];
}

std::uint16_t IffCursor::u2() {
    need(2, "a 2-byte number");
    std::uint16_t value = std::uint16_t(bytes[position] << 8 | bytes[position + 1]);
    position += 2;
    return value;
}

std::uint32_t IffCursor::u4() {
    need(4, "a 4-byte number");
    const std::uint8_t *p = &bytes[position];
    position += 4;
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 |
           std::uint32_t(p[3]);
}

float IffCursor::f4() {
    return std::bit_cast<float>(u4());
}

std::string IffCursor::s0() {
    const std::uint8_t *start = bytes.data() + position;
    const void *nul = std::memchr(start, 0, remaining());
    if (!nul) fail("string at byte " + std::to_string(offset()) + " has no terminating NUL");
    std::size_t length = std::size_t(static_cast<const std::uint8_t *>(nul) - start);
    std::string text(reinterpret_cast<const char *>(start), length);
    position += length + 1;
    skipPad(length + 1);
    return text;
}

std::size_t IffCursor::vxBytes() const {
    return position < bytes.size() && bytes[position] == 0xFF ? 4 : 2;
}

std::uint32_t IffCursor::vx() {
    need(1, "an index");
    if (vxBytes() == 2) return u2();
    return u4() & 0x00FFFFFFu;
}

std::span<const std::uint8_t> IffCursor::take(std::size_t count) {
    need(count, "data");
    std::span<const std::uint8_t> part = bytes.subspan(position, count);
    position += count;
    return part;
}

void IffCursor::skipPad(std::size_t size) {
    if (size % 2 == 1 && !atEnd()) ++position;
}

IffCursor::Chunk IffCursor::chunkHeader(int sizeBytes) {
    Chunk chunk{};
    chunk.offset = offset();
    need(4 + std::size_t(sizeBytes), sizeBytes == 4 ? "a chunk header" : "a sub-chunk header");
    chunk.id = id4();
    chunk.size = sizeBytes == 4 ? u4() : u2();
    if (chunk.size > remaining())
        fail((sizeBytes == 4 ? "chunk " : "sub-chunk ") + IdText(chunk.id) + " at byte " +
             std::to_string(chunk.offset) + ": size " + std::to_string(chunk.size) +
             " runs past the end (" + std::to_string(remaining()) + " bytes left)");
    return chunk;
}

IffCursor IffCursor::enter(const Chunk &chunk, const char *kind) {
    IffCursor body(
        bytes.subspan(position, chunk.size), offset(),
        where + ": " + kind + " " + IdText(chunk.id) + " at byte " + std::to_string(chunk.offset));
    position += chunk.size;
    skipPad(chunk.size);
    return body;
}
