// The one way every report, caption and legend names a set whose smoothing is off: the module
// leaves it to the host, which smooths it as it smooths the surface.
#pragma once

inline constexpr const char *KeepsHostSmoothing = "keeps the host's own smoothing";
