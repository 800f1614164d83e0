// What the module's options dialog shows for each polygon set, in words for a picture's legend:
// "Fillets: smoothed 30° within the set", "Base: keeps the host's own smoothing".
#pragma once

#include <string>
#include <vector>

#include "host/session/host_session.h"

// One caption per name of `sets`, in that order. A set whose smoothing is off, or on a surface
// without the shader, keeps the host's own smoothing; a set on several surfaces is described as
// on the first of them.
std::vector<std::string> SetCaptions(HostSession &session, const ObjectFile &file,
                                     const std::vector<std::string> &sets);
