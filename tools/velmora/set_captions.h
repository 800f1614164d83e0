// What the module's options dialog shows for each polygon set, in words for a picture's legend:
// "Fillets: smoothed 30°, same set", "Rim: not smoothed", "Base: host shading".
#pragma once

#include <string>
#include <vector>

#include "host/session/host_session.h"

// One caption per name of `sets`, in that order. A set on a surface without the shader shows
// the host's shading; a set on several surfaces is described as on the first of them.
std::vector<std::string> SetCaptions(HostSession &session, const ObjectFile &file,
                                     const std::vector<std::string> &sets);
