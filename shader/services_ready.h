// Whether the host gave every scene service the evaluation relies on.
#pragma once

#include "module/host_services.h"

// The scene-objects service is not needed for shading.
inline bool servicesReady() {
    return hostServices.itemInfo && hostServices.objectInfo && hostServices.surfaceFuncs;
}
