#include "host/session/decimal_number.h"

#include <cctype>
#include <charconv>

namespace {

// How many digits start text[at].
std::size_t Digits(const std::string &text, std::size_t at) {
    std::size_t count = 0;
    while (at + count < text.size() && std::isdigit(static_cast<unsigned char>(text[at + count])))
        ++count;
    return count;
}

bool IsDecimal(const std::string &text) {
    std::size_t at = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
    std::size_t whole = Digits(text, at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') at += 1 + (fraction = Digits(text, at + 1));
    if (whole + fraction == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        std::size_t exponent = Digits(text, at);
        if (exponent == 0) return false;
        at += exponent;
    }
    return at == text.size();
}

}  // namespace

std::variant<double, DecimalProblem> ReadDecimal(const std::string &text) {
    if (!IsDecimal(text)) return DecimalProblem::notANumber;
    // from_chars takes no plus sign; it reports a result beyond a double, either way, as such.
    const char *first = text.data() + (text[0] == '+' ? 1 : 0);
    double number = 0;
    auto [end, error] = std::from_chars(first, text.data() + text.size(), number);
    if (error == std::errc::result_out_of_range) return DecimalProblem::outOfRange;
    if (error != std::errc() || end != text.data() + text.size()) return DecimalProblem::notANumber;
    return number;
}
