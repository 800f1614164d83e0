// A count with its noun, as reports and messages to a user write it: "1 polygon", "2 polygons".
#pragma once

#include <cstddef>
#include <string>

inline std::string Plural(std::size_t count, const std::string &noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}
