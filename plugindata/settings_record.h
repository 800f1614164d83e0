// The instance's polygon-set list in the host's scene streams.
#pragma once

#include "hostapi/lwio.h"

LWError load(LWInstance instance, const LWLoadState *state);
LWError save(LWInstance instance, const LWSaveState *state);
