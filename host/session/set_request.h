// One `--set NAME[:ANGLE][:same|:cross][:off]` option: how a user wants the polygon sets NAME
// addresses smoothed. NAME may hold the wildcards `*` and `?`; a backslash takes the character
// after it as it is, so `\:` writes a colon inside a name (`Part\:1:30`), `\*` a star.
#pragma once

#include <string>

#include "host/session/scripted_set_edits.h"

// Throws std::invalid_argument with a message that quotes the option text.
SetRequest ParseSetRequest(const std::string &text);
