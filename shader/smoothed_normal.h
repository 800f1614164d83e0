// The smoothing core of one sample. The caller holds ShaderLock for the whole call.
#pragma once

#include "hostapi/lwshader.h"
#include "shader/vec3.h"

// False, leaving `result` alone, when the sample names no polygon or the host gives no mesh
// accessor. The object's adjacency table is built here on its first use after the caches were
// last emptied.
bool smoothedNormal(const LWShaderAccess &sample, double angle, int sameSetOnly, Vec3 &result);
