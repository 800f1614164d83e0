// Render start and end: both empty the adjacency caches.
#pragma once

#include "hostapi/lwtypes.h"

LWError init(LWInstance instance, int mode);
void cleanup(LWInstance instance);
