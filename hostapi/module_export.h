// What a module file exports: `_mod_descrip`, the one name the host looks up in it, holding the
// host's sync word, version and machine, the module's startup and shutdown, and its servers.
#pragma once

#include "hostapi/lwserver.h"

#if defined(_WIN32)
#define MODULE_EXPORT __declspec(dllexport)
#else
#define MODULE_EXPORT __attribute__((visibility("default")))
#endif

// A constant, so that the descriptor is data in the file and needs no code run to be filled.
constexpr ModuleDescriptor DescribeModule(void *(*startup)(void), void (*shutdown)(void *),
                                          ServerRecord *servers,
                                          unsigned int sysSync = MOD_SYSSYNC) {
    return {sysSync, MOD_SYSVER, MOD_MACHINE, startup, shutdown, servers};
}
