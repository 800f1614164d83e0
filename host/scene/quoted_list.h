// Names as messages list them.
#pragma once

#include <string>
#include <vector>

// Each name in double quotes, separated by ", "; empty for no names.
inline std::string QuotedList(const std::vector<std::string> &names) {
    std::string list;
    for (const std::string &name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
    return list;
}
