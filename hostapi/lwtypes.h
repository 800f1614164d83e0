// Basic types, function forms and constants of the host's plug-in interface.
#pragma once

#include <cstddef>

extern "C" {

typedef void *LWItemID;
typedef void *LWSurfaceID;
typedef void *LWPanelID;
typedef void *LWInstance;
typedef void *LWControlID;
typedef struct st_LWPolID *LWPolID;
typedef struct st_LWPntID *LWPntID;
typedef struct st_LWXPanel *LWXPanelID;

typedef const char *LWError;
typedef int LWFrame;
typedef double LWTime;
typedef float LWFVector[3];
typedef double LWDVector[3];
typedef unsigned int LWID;
typedef int LWType;
typedef int LWItemType;
typedef unsigned short LWDualKey;

#define LWITEM_NULL ((LWItemID)0)

typedef void *GlobalFunc(const char *serviceName, int useMode);
typedef int ActivateFunc(int version, GlobalFunc *global, void *local, void *serverData);

}  // extern "C"

constexpr LWID LWID_(char a, char b, char c, char d) {
    return (LWID(static_cast<unsigned char>(a)) << 24) |
           (LWID(static_cast<unsigned char>(b)) << 16) |
           (LWID(static_cast<unsigned char>(c)) << 8) | LWID(static_cast<unsigned char>(d));
}

constexpr int AFUNC_OK = 0;
constexpr int AFUNC_BADVERSION = 1;
constexpr int AFUNC_BADGLOBAL = 2;
constexpr int AFUNC_BADLOCAL = 3;
constexpr int AFUNC_BADAPP = 4;
constexpr int AFUNC_BADAPP_SILENT = 5;

constexpr int GFUSE_TRANSIENT = 0;
constexpr int GFUSE_ACQUIRE = 1;
constexpr int GFUSE_RELEASE = 2;

constexpr int LWI_OBJECT = 0;
