// One `--set NAME[:ANGLE][:same][:off]` option: how a user wants one polygon set smoothed.
#pragma once

#include <string>

#include "host/session/scripted_set_edits.h"

// Throws std::invalid_argument with a message that quotes the option text.
SetRequest ParseSetRequest(const std::string &text);
