#include "host/scene/set_name_pattern.h"

#include <stdexcept>

namespace {

// Backtracks only to the latest `*`: a later star can always take over what an earlier one
// would have matched, so matching stays linear in practice and never recurses.
bool GlobMatches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string_view::npos, nameAtStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            nameAtStar = n;
            continue;
        }
        if (p < pattern.size()) {
            bool escaped = pattern[p] == '\\';
            char wanted = pattern[p + (escaped ? 1 : 0)];
            if ((!escaped && wanted == '?') || wanted == name[n]) {
                p += escaped ? 2 : 1;
                ++n;
                continue;
            }
        }
        if (starAt == std::string_view::npos) return false;
        p = starAt + 1;
        n = ++nameAtStar;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

SetNamePattern::SetNamePattern(std::string text) : written(std::move(text)) {
    std::string unescaped;
    bool wildcard = false;
    for (std::size_t i = 0; i < written.size(); ++i) {
        char c = written[i];
        if (c == '\\') {
            if (++i == written.size())
                throw std::invalid_argument("\"" + written +
                                            "\" ends in a backslash that escapes nothing");
            unescaped += written[i];
        } else {
            wildcard = wildcard || c == '*' || c == '?';
            unescaped += c;
        }
    }
    if (!wildcard) literalName = std::move(unescaped);
}

bool SetNamePattern::matches(std::string_view name) const {
    if (literalName) return name == *literalName;
    return GlobMatches(written, name);
}

std::string PatternForName(std::string_view name) {
    std::string pattern;
    for (char c : name) {
        if (c == '*' || c == '?' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern;
}
