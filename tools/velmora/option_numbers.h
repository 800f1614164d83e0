// Numbers given as option values, read strictly: the whole text must be the number, and a
// problem says which of not a number, not whole or out of range it is, with what is expected.
#pragma once

#include <string>

// Each returns an empty string when `text` is a number from `low` to `high` and stores it in
// `value`; otherwise "OPTION TEXT: PROBLEM; expected ...", leaving `value` alone.
std::string ReadWholeNumber(const std::string &option, const std::string &text, int low, int high,
                            int &value);
std::string ReadDegrees(const std::string &option, const std::string &text, double low, double high,
                        double &value);
std::string ReadFactor(const std::string &option, const std::string &text, double low, double high,
                       double &value);
