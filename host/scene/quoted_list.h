// Names as messages list them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A name in double quotes, cut short after 40 bytes with its length added, so that a name as long
// as a file does not flood a message.
inline std::string QuotedName(std::string_view name) {
    constexpr std::size_t Longest = 40;
    std::string quoted = "\"";
    quoted.append(name.substr(0, Longest));
    if (name.size() <= Longest) return quoted + "\"";
    return quoted + "...\" (" + std::to_string(name.size()) + " bytes)";
}

// Each name in double quotes, separated by ", "; empty for no names.
inline std::string QuotedList(const std::vector<std::string> &names) {
    std::string list;
    for (const std::string &name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
    return list;
}
