#include "host/scene/set_name_pattern.h"

#include <stdexcept>

#include "host/scene/quoted_list.h"

bool SetNamePattern::Piece::matchesAt(std::string_view name, std::size_t at) const {
    for (std::size_t i = 0; i < size(); ++i)
        if (!any[i] && name[at + i] != bytes[i]) return false;
    return true;
}

void SetNamePattern::Piece::index() {
    fits.assign(256 * words(), 0);
    for (std::size_t i = 0; i < size(); ++i)
        for (int byte = 0; byte < 256; ++byte)
            if (any[i] || static_cast<unsigned char>(bytes[i]) == byte)
                fits[byte * words() + i / 64] |= std::uint64_t(1) << (i % 64);
}

// Shift-and: bit i of `state` says that the piece's first i + 1 characters end at the byte just
// read, so that one pass over the name finds the first occurrence, however the two repeat.
std::size_t SetNamePattern::Piece::findIn(std::string_view name, std::size_t from) const {
    if (size() == 0) return from;
    const std::size_t words = this->words();
    std::vector<std::uint64_t> state(words, 0);
    const std::size_t last = size() - 1;
    for (std::size_t at = from; at < name.size(); ++at) {
        const std::uint64_t *fit = &fits[static_cast<unsigned char>(name[at]) * words];
        std::uint64_t carry = 1;
        for (std::size_t w = 0; w < words; ++w) {
            std::uint64_t next = state[w] >> 63;
            state[w] = ((state[w] << 1) | carry) & fit[w];
            carry = next;
        }
        if (state[last / 64] >> (last % 64) & 1) return at - last;
    }
    return std::string_view::npos;
}

SetNamePattern::SetNamePattern(std::string text) : written(std::move(text)) {
    std::string unescaped;
    pieces.emplace_back();
    bool wildcard = false;
    for (std::size_t i = 0; i < written.size(); ++i) {
        char c = written[i];
        bool escaped = c == '\\';
        if (escaped) {
            if (++i == written.size())
                throw std::invalid_argument(QuotedName(written) +
                                            " ends in a backslash that escapes nothing");
            c = written[i];
        }
        unescaped += c;
        if (!escaped && c == '*') {
            wildcard = true;
            pieces.emplace_back();
            continue;
        }
        bool any = !escaped && c == '?';
        wildcard = wildcard || any;
        pieces.back().bytes += c;
        pieces.back().any.push_back(any);
    }
    if (!wildcard) literalName = std::move(unescaped);
    for (std::size_t p = 1; p + 1 < pieces.size(); ++p) pieces[p].index();
}

// The first piece holds the name's start and the last its end; each piece between takes its
// first occurrence after the one before, which leaves the most room for those after it.
bool SetNamePattern::matches(std::string_view name) const {
    if (literalName) return name == *literalName;
    const Piece &first = pieces.front(), &last = pieces.back();
    if (pieces.size() == 1) return name.size() == first.size() && first.matchesAt(name, 0);
    if (first.size() + last.size() > name.size()) return false;
    if (!first.matchesAt(name, 0) || !last.matchesAt(name, name.size() - last.size())) return false;
    std::string_view middle = name.substr(0, name.size() - last.size());
    std::size_t at = first.size();
    for (std::size_t p = 1; p + 1 < pieces.size(); ++p) {
        at = pieces[p].findIn(middle, at);
        if (at == std::string_view::npos) return false;
        at += pieces[p].size();
    }
    return true;
}

std::string PatternForName(std::string_view name) {
    std::string pattern;
    for (char c : name) {
        if (c == '*' || c == '?' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern;
}
