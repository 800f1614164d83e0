// Numbers as people write them in a command line or a request: decimal, whole text.
#pragma once

#include <string>
#include <variant>

// How a decimal number reads: as people write them, an optional sign, digits with an optional
// point, and an optional exponent; no spaces, no hexadecimal, no "inf" or "nan". A number too
// large or too small for a double, its digits not all zero, is out of range rather than infinite
// or zero.
enum class DecimalProblem { notANumber, outOfRange };
std::variant<double, DecimalProblem> ReadDecimal(const std::string &text);
