// The module's only export: the record through which the host finds the servers.
#include "hostapi/lwhandler.h"
#include "hostapi/module_export.h"
#include "module/activation.h"
#include "module/callback_guard.h"

extern "C" {

// The module has no state of its own to make or free; the host needs a non-null result to go on.
static void *ModuleStartup(void) {
    return Guarded<>(static_cast<void *>(nullptr),
                     [] { return reinterpret_cast<void *>(static_cast<std::size_t>(4)); });
}

static void ModuleShutdown(void *) {
    GuardedVoid([] {});
}

static const char serverName[] = "KV_Velmora";

static ServerRecord serverDefs[] = {
    {LWSHADER_HCLASS, serverName, ActivateHandler, nullptr},
    {LWSHADER_ICLASS, serverName, ActivateInterface, nullptr},
    {nullptr, nullptr, nullptr, nullptr},
};

MODULE_EXPORT constinit ModuleDescriptor _mod_descrip =
    DescribeModule(ModuleStartup, ModuleShutdown, serverDefs);

}  // extern "C"
