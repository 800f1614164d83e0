#include "tools/velmora/option_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Range(double low, double high) {
    char text[64];
    std::snprintf(text, sizeof text, "from %g to %g", low, high);
    return text;
}

}  // namespace

std::string ReadWholeNumber(const std::string &option, const std::string &text, int low, int high,
                            int &value) {
    std::string said = option + " " + text + ": ";
    std::string expected = "; expected a whole number " + Range(low, high);
    char *end = nullptr;
    double number = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || std::isnan(number)) return said + "not a number" + expected;
    if (number != std::floor(number)) return said + "not a whole number" + expected;
    if (!(number >= low && number <= high)) return said + "out of range" + expected;
    value = static_cast<int>(number);
    return {};
}

std::string ReadDegrees(const std::string &option, const std::string &text, double low, double high,
                        double &value) {
    std::string said = option + " " + text + ": ";
    std::string expected = "; expected degrees " + Range(low, high);
    char *end = nullptr;
    double number = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || std::isnan(number)) return said + "not a number" + expected;
    if (!(number >= low && number <= high)) return said + "out of range" + expected;
    value = number;
    return {};
}
