// The module's only export: the record through which the host finds the servers.
#include "hostapi/lwhandler.h"
#include "hostapi/lwserver.h"
#include "module/activation.h"

#if defined(_WIN32)
#define MODULE_EXPORT __declspec(dllexport)
#else
#define MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

static void *ModuleStartup(void) {
    return reinterpret_cast<void *>(static_cast<std::size_t>(4));
}

static void ModuleShutdown(void *) {}

static const char serverName[] = "KV_Velmora";

static ServerRecord serverDefs[] = {
    {LWSHADER_HCLASS, serverName, ActivateHandler, nullptr},
    {LWSHADER_ICLASS, serverName, ActivateInterface, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

MODULE_EXPORT ModuleDescriptor _mod_descrip = {
    MOD_SYSSYNC, MOD_SYSVER, MOD_MACHINE, ModuleStartup, ModuleShutdown, serverDefs,
};

}  // extern "C"
