// The object with the module's settings stored in it, as `velmora apply` and the view's Apply
// write it: an LWO2 object is edited, keeping every byte but its shader data (and its PART tags
// when the sets came from elsewhere); an LWO3 object is converted to LWO2 by its bytes and then
// edited so; LWOB and OBJ objects are converted through the scene model. What a conversion
// cannot carry is said.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sets/proposed_sets.h"
#include "tools/velmora/object_options.h"

// The object's bytes as apply edits them, read once, so that what is edited is what the
// settings were made for: an LWO3 object's already converted to LWO2.
struct ApplyInput {
    std::vector<std::uint8_t> bytes;
    bool convertedFromLwo3 = false;
    std::vector<std::string> losses;  // what the LWO3 conversion could not carry
};

ApplyInput ReadApplyInput(const std::string &path);

// Throws std::runtime_error naming the paths where apply may not write `output` (see
// CheckApplyTarget): a converted object never goes over its input.
void CheckApplyOutput(const std::string &object, const ApplyInput &input,
                      const std::string &output);

// Writes `opened`, opened from `input.bytes`, with the settings its session holds now, to
// `output`, which appears whole or not at all. Answers what to tell the user, a line each;
// warnings start with "warning: ". With the `proposal` its sets came from (--sets-from shape or
// normals), the sets written are told one line per surface, not by name.
std::vector<std::string> WriteAppliedObject(const ObjectOptions &object, OpenedObject &opened,
                                            const ApplyInput &input, const std::string &output,
                                            const SetProposal *proposal = nullptr);
