#include "host/formats/obj_words.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/scene/quoted_list.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// from_chars takes no leading '+', which OBJ writers may put before a number.
std::string_view WithoutPlus(std::string_view word) {
    if (word.size() > 1 && word[0] == '+' && word[1] != '-' && word[1] != '+')
        word.remove_prefix(1);
    return word;
}

// from_chars says only "out of range" for a float too large or too small; strtod on a copy
// (the rare case; the host runs in the C locale, so its decimal point is '.') tells which.
bool Underflows(std::string_view word) {
    std::string copy(word);
    return std::fabs(std::strtod(copy.c_str(), nullptr)) < 1;
}

}  // namespace

std::string_view ObjWords::next() {
    while (position < line.size() && IsBlank(line[position])) ++position;
    if (position == line.size() || line[position] == '#') {
        position = line.size();
        return line.substr(position, 0);
    }
    std::size_t start = position;
    while (position < line.size() && !IsBlank(line[position])) ++position;
    return line.substr(start, position - start);
}

std::string_view ObjWords::rest() {
    std::string_view first = next();
    if (first.empty()) return first;
    std::size_t end = position;
    for (std::string_view word = next(); !word.empty(); word = next())
        end = std::size_t(word.data() - line.data()) + word.size();
    std::size_t start = std::size_t(first.data() - line.data());
    return line.substr(start, end - start);
}

float ReadFloat(const ObjWords &words, std::string_view word, const char *what) {
    std::string_view digits = WithoutPlus(word);
    float value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size() || error == std::errc::invalid_argument)
        throw ObjLineError(words.column(word),
                           std::string(what) + " " + QuotedName(word) + " is not a number");
    if (error == std::errc::result_out_of_range) {
        if (Underflows(digits)) return digits[0] == '-' ? -0.0f : 0.0f;
        throw ObjLineError(words.column(word), std::string(what) + " " + QuotedName(word) +
                                                   " is too large for a 32-bit float");
    }
    if (!std::isfinite(value))
        throw ObjLineError(words.column(word),
                           std::string(what) + " " + QuotedName(word) + " is not finite");
    return value;
}

std::errc ReadInteger(std::string_view word, std::int64_t &value) {
    std::string_view digits = WithoutPlus(word);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size() || digits.empty()) return std::errc::invalid_argument;
    return error;
}
