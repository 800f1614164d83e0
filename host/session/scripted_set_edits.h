// Settings of polygon sets made as a user makes them: through the module's own options dialog,
// worked by a scripted user on every surface holding the set.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/long_set_list_warning.h"
#include "host/session/surface_filter.h"

// How a user wants the polygon sets a name or pattern addresses (host/scene/set_name_pattern.h)
// smoothed. Smoothing is turned on, or off when `enabled` is false; the angle and "same set"
// change only when given, so a set keeps what the request does not name.
struct SetRequest {
    std::string name;
    std::optional<double> angleDegrees = std::nullopt;
    std::optional<bool> sameSetOnly = std::nullopt;
    bool enabled = true;
};

struct SetRequestOutcome {
    // Per request, how many distinct sets it reached.
    std::vector<std::size_t> setsMatched;
    // One line per request that reached no set, naming the sets the admitted surfaces hold.
    std::vector<std::string> unmatched;
};

// Works each request through the dialog on every admitted surface holding a set it addresses,
// in request order, after warning `warn` of a surface where that takes long. Throws
// std::runtime_error naming the file and surface when the dialog cannot be worked;
// std::invalid_argument when a name is no valid pattern.
SetRequestOutcome ApplySetRequests(HostSession &session, const ObjectFile &file,
                                   const std::vector<SetRequest> &requests,
                                   const SurfaceFilter &filter, const WarningSink &warn = {});
