// The two activation entry points the host calls through the server list.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {
int ActivateHandler(int version, GlobalFunc *global, void *local, void *serverData);
int ActivateInterface(int version, GlobalFunc *global, void *local, void *serverData);
}
