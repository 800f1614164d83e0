// Module files with the faults a host must report: FAULT_REFUSES accepts no version,
// FAULT_BAD_SYNC carries a descriptor with the wrong sync word.
#include "hostapi/lwhandler.h"
#include "hostapi/module_export.h"

extern "C" {

static void *Startup(void) {
    return reinterpret_cast<void *>(static_cast<std::size_t>(4));
}
static void Shutdown(void *) {}
static int Refuse(int, GlobalFunc *, void *, void *) {
    return AFUNC_BADVERSION;
}

static ServerRecord servers[] = {
    {LWSHADER_HCLASS, "KV_Velmora", Refuse, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

#ifdef FAULT_BAD_SYNC
constexpr unsigned int Sync = 0x19941204;
#else
constexpr unsigned int Sync = MOD_SYSSYNC;
#endif

MODULE_EXPORT constinit ModuleDescriptor _mod_descrip =
    DescribeModule(Startup, Shutdown, servers, Sync);
}
