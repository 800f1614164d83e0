// The kinds of value the host's streams carry, and how the stand-in host spells them in text.
#pragma once

#include <string>
#include <string_view>

#include "hostapi/lwtypes.h"

enum class ValueKind { Raw, I1, U1, I2, U2, I4, U4, FP };

constexpr int ValueSize(ValueKind kind) {
    switch (kind) {
        case ValueKind::I2:
        case ValueKind::U2:
            return 2;
        case ValueKind::I4:
        case ValueKind::U4:
        case ValueKind::FP:
            return 4;
        default:
            return 1;
    }
}

// "I4", "U1", ...: the suffix of the stream operation that carries the kind.
const char *ValueKindName(ValueKind kind);

// The values as one text item: signed integers in decimal, unsigned ones in upper-case hexadecimal,
// bytes (U1) as two hex digits each without separator, floats in their shortest exact decimal
// form, raw bytes as they are. Several values are separated by one space.
std::string FormatValues(ValueKind kind, const void *values, int count);

// The id of the entry of `list` (ended by id 0) that `id` equals, or 0.
LWID MatchId(const struct st_LWBlockIdent *list, LWID id);
// The id of the entry of `list` whose token equals `token`, or 0.
LWID MatchToken(const struct st_LWBlockIdent *list, std::string_view token);
