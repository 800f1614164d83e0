// The unit normal of a polygon from its corners 0, 1 and n - 1, as the smoothing uses it.
#pragma once

#include "hostapi/lwmeshes.h"
#include "shader/vec3.h"

// Zero for a polygon of fewer than three corners, or whose corners 0, 1 and n - 1 are in a line.
Vec3 polygonNormal(LWMeshInfo &accessor, LWPolID polygon);

// The same normal when the three corners are already known: only their positions are read.
Vec3 normalThroughCorners(LWMeshInfo &accessor, LWPntID first, LWPntID second, LWPntID last);
