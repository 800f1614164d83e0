// Handler and interface records: the host allocates them, the module fills them at activation.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {

struct st_LWLoadState;
struct st_LWSaveState;
struct st_LWShaderAccess;

typedef struct st_LWInstanceFuncs {
    void *priv;
    LWInstance (*create)(void *priv, void *context, LWError *err);
    void (*destroy)(LWInstance);
    LWError (*copy)(LWInstance to, LWInstance from);
    LWError (*load)(LWInstance, const struct st_LWLoadState *);
    LWError (*save)(LWInstance, const struct st_LWSaveState *);
    const char *(*descln)(LWInstance);
} LWInstanceFuncs;

// Version-4-era hosts end this record after changeID; newer ones append members the module
// must never write.
typedef struct st_LWItemFuncs {
    const LWItemID *(*useItems)(LWInstance);
    void (*changeID)(LWInstance, const LWItemID *);
} LWItemFuncs;

typedef struct st_LWRenderFuncs {
    LWError (*init)(LWInstance, int mode);
    void (*cleanup)(LWInstance);
    LWError (*newTime)(LWInstance, LWFrame, LWTime);
} LWRenderFuncs;

typedef struct st_LWShaderHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item;
    LWRenderFuncs *rend;
    void (*evaluate)(LWInstance, struct st_LWShaderAccess *);
    unsigned int (*flags)(LWInstance);
} LWShaderHandler;

typedef struct st_LWInterface {
    LWInstance inst;
    LWXPanelID panel;
    LWError (*options)(LWInstance);
    LWError (*command)(LWInstance, const char *);
} LWInterface;

}  // extern "C"

#define LWSHADER_HCLASS "ShaderHandler"
#define LWSHADER_ICLASS "ShaderInterface"
constexpr int LWSHADER_VERSION = 4;
constexpr int LWINTERFACE_VERSION = 4;

constexpr int LWINIT_PREVIEW = 0;
constexpr int LWINIT_RENDER = 1;

constexpr unsigned int LWSHF_NORMAL = 0x1;
constexpr unsigned int LWSHF_RAYTRACE = 0x400;
