// Names as messages list them: escaped (see PrintableText), each cut short and a long list cut
// with a count, so that no name or object floods a message or breaks its line.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "host/scene/printable_text.h"
#include "host/scene/utf8_text.h"

// A name in double quotes, cut short after `longest` bytes with its length added. A UTF-8 name
// is cut between characters, so that the message stays UTF-8.
inline std::string QuotedName(std::string_view name, std::size_t longest = 40) {
    std::size_t cut = std::min(longest, name.size());
    if (cut < name.size() && IsUtf8(name))
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    std::string quoted = "\"" + PrintableText(name.substr(0, cut));
    if (name.size() <= longest) return quoted + "\"";
    return quoted + "...\" (" + std::to_string(name.size()) + " bytes)";
}

// "and 4,890 more": a count of what a list left out, digits grouped by thousands.
inline std::string AndMore(std::size_t count) {
    std::string digits = std::to_string(count), grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return "and " + grouped + " more";
}

// Each name quoted, separated by ", ", the first `most` of them and then AndMore of the rest;
// empty for no names.
inline std::string QuotedList(const std::vector<std::string> &names, std::size_t most = 20) {
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < most; ++i)
        list += (list.empty() ? "" : ", ") + QuotedName(names[i]);
    if (names.size() > most) list += " " + AndMore(names.size() - most);
    return list;
}
