#include "tools/view/request_head.h"

#include <algorithm>
#include <cctype>

#include "tools/view/view_token.h"

namespace {

// The library ends a head at the first empty line ended by CR LF, whatever came before it.
constexpr std::string_view HeadEnd = "\r\n\r\n";
constexpr std::string_view TokenHeader = "x-velmora-token:";

bool TooManyLines(std::string_view head, bool complete) {
    // The request line, and the empty line that ends a complete head, are no header lines.
    return static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n')) >
           MostHeaderLines + 1 + (complete ? 1 : 0);
}

bool StartsWithCaseless(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view Trimmed(std::string_view text) {
    const std::string_view space = " \t\r";
    std::size_t first = text.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(space) + 1 - first);
}

// The value of `token=` in the query of a request line such as "GET /api/object?token=T HTTP/1.1".
std::string_view QueryToken(std::string_view requestLine) {
    std::string_view target = requestLine.substr(0, requestLine.rfind(' '));
    std::size_t query = target.find('?');
    if (query == std::string_view::npos) return {};
    target.remove_prefix(query + 1);
    while (!target.empty()) {
        std::string_view pair = target.substr(0, target.find('&'));
        if (pair.starts_with("token=")) return pair.substr(6);
        target.remove_prefix(std::min(target.size(), pair.size() + 1));
    }
    return {};
}

}  // namespace

HeadState JudgeHead(std::string_view received) {
    std::size_t end = received.find(HeadEnd);
    bool complete = end != std::string_view::npos;
    std::string_view head = complete ? received.substr(0, end + HeadEnd.size()) : received;
    if (head.size() > LargestRequestHead || TooManyLines(head, complete))
        return head.find('\n') == std::string_view::npos ? HeadState::AddressTooLong
                                                         : HeadState::TooLarge;
    return complete ? HeadState::Complete : HeadState::Arriving;
}

bool HeadCarriesToken(std::string_view head, std::string_view token) {
    head = head.substr(0, head.find(HeadEnd));
    std::string_view line = head.substr(0, head.find('\n'));
    if (TokenMatches(QueryToken(Trimmed(line)), token)) return true;
    while (line.size() < head.size()) {
        head.remove_prefix(line.size() + 1);
        line = head.substr(0, head.find('\n'));
        if (StartsWithCaseless(line, TokenHeader) &&
            TokenMatches(Trimmed(line.substr(TokenHeader.size())), token))
            return true;
    }
    return false;
}
