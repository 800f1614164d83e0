#include "tools/velmora/option_numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

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

std::string Range(double low, double high) {
    char text[64];
    std::snprintf(text, sizeof text, "from %g to %g", low, high);
    return text;
}

// `what` names the kind of number expected, e.g. "degrees"; `whole` refuses fractions.
std::string ReadNumber(const std::string &option, const std::string &text, double low, double high,
                       const char *what, bool whole, double &value) {
    std::string said = option + " " + text + ": ";
    std::string expected = std::string("; expected ") + what + " " + Range(low, high);
    std::variant<double, DecimalProblem> read = ReadDecimal(text);
    if (read == decltype(read)(DecimalProblem::notANumber)) return said + "not a number" + expected;
    if (read == decltype(read)(DecimalProblem::outOfRange)) return said + "out of range" + expected;
    double number = std::get<double>(read);
    if (whole && number != std::floor(number)) return said + "not a whole number" + expected;
    if (!(number >= low && number <= high)) return said + "out of range" + expected;
    value = number;
    return {};
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

std::string ReadWholeNumber(const std::string &option, const std::string &text, int low, int high,
                            int &value) {
    double number = 0;
    std::string problem = ReadNumber(option, text, low, high, "a whole number", true, number);
    if (problem.empty()) value = static_cast<int>(number);
    return problem;
}

std::string ReadDegrees(const std::string &option, const std::string &text, double low, double high,
                        double &value) {
    return ReadNumber(option, text, low, high, "degrees", false, value);
}

std::string ReadFactor(const std::string &option, const std::string &text, double low, double high,
                       double &value) {
    return ReadNumber(option, text, low, high, "a factor", false, value);
}
