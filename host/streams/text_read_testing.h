// For stream tests: one readStr call as what it returned and the text it stored. The buffer holds
// exactly the maximum, so that a stream writing past it shows under the address sanitizer, and
// text left without its NUL shows as the whole buffer.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "hostapi/lwio.h"

using TextRead = std::pair<int, std::string>;

inline TextRead ReadText(const LWLoadState &state, int max) {
    std::vector<char> buffer(static_cast<std::size_t>(std::max(max, 1)), '#');
    const int length = state.readStr(state.readData, buffer.data(), max);
    if (length < 0) return {length, ""};
    return {length, std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'))};
}
