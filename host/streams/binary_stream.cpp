#include "host/streams/binary_stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "host/formats/id_text.h"

namespace {

void PutBigEndian(std::vector<unsigned char> &out, std::uint32_t value, int size) {
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

std::uint32_t GetBigEndian(const unsigned char *bytes, int size) {
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value = (value << 8) | bytes[i];
    return value;
}

// The value's bits as an unsigned number, taken from memory so that no float passes through a
// floating-point register (which may change a NaN's bits).
std::uint32_t BitsAt(const void *values, int index, int size) {
    const auto *at = static_cast<const unsigned char *>(values) + index * size;
    switch (size) {
        case 1:
            return at[0];
        case 2: {
            std::uint16_t v;
            std::memcpy(&v, at, 2);
            return v;
        }
        default: {
            std::uint32_t v;
            std::memcpy(&v, at, 4);
            return v;
        }
    }
}

void StoreBits(void *values, int index, int size, std::uint32_t bits) {
    auto *at = static_cast<unsigned char *>(values) + index * size;
    if (size == 1) {
        at[0] = static_cast<unsigned char>(bits);
    } else if (size == 2) {
        auto v = static_cast<std::uint16_t>(bits);
        std::memcpy(at, &v, 2);
    } else {
        std::memcpy(at, &bits, 4);
    }
}

}  // namespace

void BinarySaveStream::writeValues(ValueKind kind, const void *values, int count) {
    const int size = ValueSize(kind);
    out.reserve(out.size() + static_cast<std::size_t>(count) * size);
    for (int i = 0; i < count; ++i) PutBigEndian(out, BitsAt(values, i, size), size);
}

void BinarySaveStream::writeString(const char *text) {
    const std::size_t length = std::strlen(text);
    out.insert(out.end(), text, text + length);
    out.push_back(0);
    if ((length + 1) % 2) out.push_back(0);
}

void BinarySaveStream::writeIdent(const LWBlockIdent &ident) {
    PutBigEndian(out, ident.id, 4);
}

void BinarySaveStream::beginBlock(const LWBlockIdent &ident, bool) {
    open.push_back({ident.id, out.size()});
    PutBigEndian(out, ident.id, 4);
    PutBigEndian(out, 0, 2);
}

void BinarySaveStream::endBlock() {
    if (open.empty())
        return refuse("end of block at byte " + std::to_string(out.size()) + " with no block open");
    const OpenBlock block = open.back();
    const std::size_t size = out.size() - block.start - 6;
    if (size > MaxBlockSize)
        return refuse("block " + IdText(block.id) + " at byte " + std::to_string(block.start) +
                      " holds " + std::to_string(size) + " bytes, more than the " +
                      std::to_string(MaxBlockSize) + " its 16-bit size can count");
    open.pop_back();
    out[block.start + 4] = static_cast<unsigned char>(size >> 8);
    out[block.start + 5] = static_cast<unsigned char>(size);
    if (size % 2) out.push_back(0);
}

int BinaryLoadStream::readValues(ValueKind kind, void *values, int count) {
    const int size = ValueSize(kind);
    const std::size_t available = (limit() - pos) / size;
    const int n = static_cast<int>(std::min<std::size_t>(count, available));
    for (int i = 0; i < n; ++i, pos += size)
        StoreBits(values, i, size, GetBigEndian(&data[pos], size));
    return n;
}

int BinaryLoadStream::readString(char *buffer, int max) {
    if (pos >= limit()) return -1;
    const unsigned char *start = data.data() + pos;
    const auto *nul = static_cast<const unsigned char *>(std::memchr(start, 0, limit() - pos));
    if (!nul) return -1;
    const std::size_t length = nul - start;
    const std::size_t stored = std::min<std::size_t>(length, max - 1);
    std::memcpy(buffer, start, stored);
    buffer[stored] = '\0';
    pos += length + 1;
    if ((length + 1) % 2 && pos < limit()) ++pos;
    return static_cast<int>(stored);
}

LWID BinaryLoadStream::readIdent(const LWBlockIdent *list) {
    if (limit() - pos < 4) return 0;
    const LWID id = GetBigEndian(&data[pos], 4);
    pos += 4;
    return MatchId(list, id);
}

LWID BinaryLoadStream::findBlock(const LWBlockIdent *list) {
    const std::size_t end = limit();
    for (std::size_t at = pos; end - at >= 6;) {
        const LWID id = GetBigEndian(&data[at], 4);
        const std::size_t size = GetBigEndian(&data[at + 4], 2);
        const std::size_t blockEnd = at + 6 + size;
        if (blockEnd > end) {
            noteDamage("block " + IdText(id) + " at byte " + std::to_string(at) + " holds " +
                       std::to_string(size) + " bytes, past the end of its parent at byte " +
                       std::to_string(end));
            return 0;
        }
        if (MatchId(list, id)) {
            open.push_back({blockEnd, size % 2 != 0});
            pos = at + 6;
            return id;
        }
        at = std::min(blockEnd + size % 2, end);
    }
    return 0;
}

void BinaryLoadStream::endBlock() {
    if (open.empty()) return;
    const OpenBlock block = open.back();
    open.pop_back();
    pos = block.end;
    if (block.padded && pos < limit()) ++pos;
}
