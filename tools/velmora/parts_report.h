// `velmora parts`: each surface with the host's smoothing of it, its polygon sets, their polygon
// counts and the settings the module's options dialog shows for them.
#pragma once

#include <string>

#include "host/scene/host_normals.h"
#include "host/session/host_session.h"
#include "sets/proposed_sets.h"

// With `proposal`, each proposed set also says its kind, why its polygons were put together,
// and how close its settings come to what it was made from, where that was measured.
std::string PartsReport(HostSession &session, const ObjectFile &file,
                        const geometry::SmoothingAngles &hostSmoothing,
                        const SetProposal *proposal = nullptr);
