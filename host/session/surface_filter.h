// Which surfaces a change of the module's settings reaches: all of them, or the one named.
#pragma once

#include <optional>
#include <string>

struct SurfaceFilter {
    std::optional<std::string> only;
    bool admits(const std::string &surface) const { return !only || *only == surface; }
};
