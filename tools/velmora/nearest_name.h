// What a user most likely meant by a mistyped command or option.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The number of single-character insertions, deletions, substitutions and swaps of neighbours
// that turn `a` into `b`.
std::size_t EditDistance(const std::string &a, const std::string &b);

// The candidate closest to `typed`, when it is close enough to be a slip of the fingers rather
// than another word: at most a third of the longer name changed, and at least one edit allowed.
std::optional<std::string> NearestName(const std::string &typed,
                                       const std::vector<std::string> &candidates);
