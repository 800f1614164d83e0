// Where `apply` may write its LWO2 object, checked before any work is done: a user's file of
// another format is never overwritten with LWO2 bytes.
#pragma once

#include <string>

// Throws OutputRefused (input_guard.h) naming the paths when `output` names another format by its
// extension (any but .lwo), or is the input file itself (by identity, so also through a link) and
// the input is not an LWO2 object, the one kind `apply` edits in place.
void CheckApplyTarget(const std::string &input, const std::string &output, bool inputIsLwo2);
