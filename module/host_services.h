// The host's global function and the scene services fetched through it at handler activation.
#pragma once

#include "hostapi/lwservices.h"

struct HostServices {
    GlobalFunc *globalFunc;
    LWItemInfo *itemInfo;
    LWObjectInfo *objectInfo;
    LWObjectFuncs *sceneObjects;
    LWSurfaceFuncs *surfaceFuncs;
};

// Written only by handler activation, read without a lock; any service may be null.
extern HostServices hostServices;

void FetchHostServices(GlobalFunc *global);
