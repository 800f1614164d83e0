// What the module's options dialog shows for each polygon set, in words for a picture's legend:
// "Fillets: smoothed 30° within the set", "Base: keeps the host's own smoothing".
#pragma once

#include <string>
#include <vector>

#include "host/render/set_legend.h"
#include "host/session/host_session.h"

// One caption per name of `sets`, in that order, each saying whether the shader smooths the set. A
// set whose smoothing is off, or on a surface without the shader, keeps the host's own smoothing; a
// set on several surfaces is described as on the first of them.
std::vector<render::SetLabel> SetCaptions(HostSession &session, const ObjectFile &file,
                                          const std::vector<std::string> &sets);
