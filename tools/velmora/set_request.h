// One `--set NAME[:ANGLE][:same][:off]` option: how a user wants one polygon set smoothed.
#pragma once

#include <optional>
#include <string>

struct SetRequest {
    std::string name;
    double angleDegrees = 89.5;
    bool sameSetOnly = false;
    bool enabled = true;
};

// Throws std::invalid_argument with a message that quotes the option text.
SetRequest ParseSetRequest(const std::string &text);
