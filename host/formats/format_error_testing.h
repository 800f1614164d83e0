// For tests: the text of the FormatError an action throws.
#pragma once

#include <functional>
#include <string>

#include "host/formats/format_error.h"

inline std::string FormatErrorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const FormatError &error) {
        return error.what();
    }
    return "no error";
}
