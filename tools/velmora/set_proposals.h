// --sets-from shape and --sets-from normals: polygon sets proposed for an object as it is
// opened, each with the settings proposed for it, which the module's dialog then takes.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/session/scripted_set_edits.h"
#include "sets/proposed_sets.h"

// Whether `setsFrom` names a proposer rather than something the object has.
bool IsProposedSetSource(const std::string &setsFrom);

// What proposes the sets for OpenRequest::proposeSets, within `surface` when given. The proposal
// made is kept in `*kept`, for reports. It throws std::runtime_error naming the file when the
// object has nothing to propose from (no normals of its own for `normals`).
std::function<std::vector<SetRequest>(ObjectFile &)> SetProposer(
    const std::string &setsFrom, const std::optional<std::string> &surface,
    std::shared_ptr<SetProposal> kept);
