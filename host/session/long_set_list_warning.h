// The module's dialog finds a set's settings by walking the surface's list of them, as it is
// designed to: storing settings for n sets of one surface costs about n² name comparisons,
// seconds from ten thousand sets and minutes from a hundred thousand. The tool says so before
// such work starts.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// Where warnings go before long work; none is made where it is empty.
using WarningSink = std::function<void(const std::string &warning)>;

// From this many sets on one surface the comparisons take about a second.
constexpr std::size_t LongSetList = 10000;

// The warning for storing the settings of `sets` sets of `surface` through the dialog, or none
// below LongSetList.
std::optional<std::string> LongSetListWarning(const std::string &filename,
                                              const std::string &surface, std::size_t sets);
