#include "module/host_services.h"

HostServices hostServices = {};

void FetchHostServices(GlobalFunc *global) {
    hostServices.globalFunc = global;
    auto fetch = [global](const char *name) {
        return global ? global(name, GFUSE_TRANSIENT) : nullptr;
    };
    hostServices.itemInfo = static_cast<LWItemInfo *>(fetch(LWITEMINFO_GLOBAL));
    hostServices.objectInfo = static_cast<LWObjectInfo *>(fetch(LWOBJECTINFO_GLOBAL));
    hostServices.sceneObjects = static_cast<LWObjectFuncs *>(fetch(LWOBJECTFUNCS_GLOBAL));
    hostServices.surfaceFuncs = static_cast<LWSurfaceFuncs *>(fetch(LWSURFACEFUNCS_GLOBAL));
}
