// Settings of polygon sets made as a user makes them: through the module's own options dialog,
// worked by a scripted user on every surface holding the set.
#pragma once

#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/surface_filter.h"

// How a user wants one polygon set smoothed.
struct SetRequest {
    std::string name;
    double angleDegrees = 89.5;
    bool sameSetOnly = false;
    bool enabled = true;
};

// Works each request through the dialog on every admitted surface holding the set. Returns a
// warning for each request whose set no such surface holds, naming the sets that exist. Throws
// std::runtime_error naming the file and surface when the dialog cannot be worked.
std::vector<std::string> ApplySetRequests(HostSession &session, const ObjectFile &file,
                                          const std::vector<SetRequest> &requests,
                                          const SurfaceFilter &filter);
