// The module record the host reads from `_mod_descrip`, and the server list it points to.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {

typedef struct st_ServerTagInfo {
    const char *string;
    unsigned int tag;
} ServerTagInfo;

typedef struct st_ServerRecord {
    const char *className;
    const char *name;
    ActivateFunc *activate;
    ServerTagInfo *tagInfo;
} ServerRecord;

typedef struct st_ModuleDescriptor {
    unsigned int sysSync;
    unsigned int sysVersion;
    unsigned int sysMachine;
    void *(*startup)(void);
    void (*shutdown)(void *serverData);
    ServerRecord *serverDefs;
} ModuleDescriptor;

}  // extern "C"

constexpr unsigned int MOD_SYSSYNC = 0x04121994;
constexpr unsigned int MOD_SYSVER = 3;
constexpr unsigned int MOD_MACHINE = 0x300;
