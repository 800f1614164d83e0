#include "host/streams/stream_values.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "hostapi/lwio.h"

namespace {

template <typename T>
T ValueAt(const void *values, int index) {
    T value;
    std::memcpy(&value, static_cast<const unsigned char *>(values) + index * sizeof(T), sizeof(T));
    return value;
}

template <typename T>
std::string Decimal(T value) {
    char text[16];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

template <typename T>
std::string Hex(T value) {
    char text[16];
    char *end = std::to_chars(text, text + sizeof text, value, 16).ptr;
    for (char *c = text; c != end; ++c)
        if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
    return std::string(text, end);
}

std::string Float(float value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string FormatOne(ValueKind kind, const void *values, int index) {
    switch (kind) {
        case ValueKind::I1:
            return Decimal(int(ValueAt<std::int8_t>(values, index)));
        case ValueKind::I2:
            return Decimal(ValueAt<std::int16_t>(values, index));
        case ValueKind::U2:
            return Hex(ValueAt<std::uint16_t>(values, index));
        case ValueKind::I4:
            return Decimal(ValueAt<std::int32_t>(values, index));
        case ValueKind::U4:
            return Hex(ValueAt<std::uint32_t>(values, index));
        case ValueKind::FP:
            return Float(ValueAt<float>(values, index));
        default:
            return {};
    }
}

std::string HexBytes(const unsigned char *bytes, int count) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

}  // namespace

const char *ValueKindName(ValueKind kind) {
    switch (kind) {
        case ValueKind::Raw:
            return "";
        case ValueKind::I1:
            return "I1";
        case ValueKind::U1:
            return "U1";
        case ValueKind::I2:
            return "I2";
        case ValueKind::U2:
            return "U2";
        case ValueKind::I4:
            return "I4";
        case ValueKind::U4:
            return "U4";
        case ValueKind::FP:
            return "FP";
    }
    return "";
}

std::string FormatValues(ValueKind kind, const void *values, int count) {
    if (count <= 0) return {};
    if (kind == ValueKind::Raw)
        return std::string(static_cast<const char *>(values), static_cast<std::size_t>(count));
    if (kind == ValueKind::U1) return HexBytes(static_cast<const unsigned char *>(values), count);
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += ' ';
        text += FormatOne(kind, values, i);
    }
    return text;
}

LWID MatchId(const LWBlockIdent *list, LWID id) {
    for (; list && list->id; ++list)
        if (list->id == id) return id;
    return 0;
}

LWID MatchToken(const LWBlockIdent *list, std::string_view token) {
    for (; list && list->id; ++list)
        if (list->token && token == list->token) return list->id;
    return 0;
}
