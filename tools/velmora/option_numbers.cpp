#include "tools/velmora/option_numbers.h"

#include <cmath>
#include <cstdio>

#include "host/session/decimal_number.h"

namespace {

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
