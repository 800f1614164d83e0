// Scene services fetched by name through the global function.
#pragma once

#include "hostapi/lwmeshes.h"
#include "hostapi/lwtypes.h"

#define LWITEMINFO_GLOBAL "LW Item Info 3"
#define LWOBJECTINFO_GLOBAL "LW Object Info 4"
#define LWOBJECTFUNCS_GLOBAL "Scene Objects 4"
#define LWSURFACEFUNCS_GLOBAL "Surface Functions 2"

extern "C" {

// Each record is a prefix: hosts have more members after the last one declared.
typedef struct st_LWItemInfo {
    LWItemID (*first)(LWItemType, LWItemID parent);
    LWItemID (*next)(LWItemID);
} LWItemInfo;

typedef struct st_LWObjectInfo {
    const char *(*filename)(LWItemID);
    int (*numPoints)(LWItemID);
    int (*numPolygons)(LWItemID);
    unsigned int (*shadowOpts)(LWItemID);
    double (*dissolve)(LWItemID, LWTime);
    LWMeshInfoID (*meshInfo)(LWItemID, int frozen);
} LWObjectInfo;

typedef struct st_LWObjectFuncs {
    int (*numObjects)(void);
    const char *(*filename)(int index);
} LWObjectFuncs;

typedef struct st_LWSurfaceFuncs {
    LWSurfaceID (*create)(const char *objName, const char *surfName);
    LWSurfaceID (*first)(void);
    LWSurfaceID (*next)(LWSurfaceID);
    LWSurfaceID *(*byName)(const char *name, const char *objName);
    LWSurfaceID *(*byObject)(const char *objFilename);
    const char *(*name)(LWSurfaceID);
} LWSurfaceFuncs;

}  // extern "C"
