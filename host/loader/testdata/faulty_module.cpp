// Module files with the faults a host must report: FAULT_REFUSES accepts no version,
// FAULT_BAD_SYNC carries a descriptor with the wrong sync word.
#include "hostapi/lwhandler.h"
#include "hostapi/lwserver.h"

#if defined(_WIN32)
#define MODULE_EXPORT __declspec(dllexport)
#else
#define MODULE_EXPORT __attribute__((visibility("default")))
#endif

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

MODULE_EXPORT ModuleDescriptor _mod_descrip = {Sync,    MOD_SYSVER, MOD_MACHINE,
                                               Startup, Shutdown,   servers};
}
