// Named, typed parameters in the host's streams: every row of a table that has data goes into a
// PluginDataParam block of its own inside one PluginDataLib block, and comes back into the row of
// a table that has the same name and type.
#pragma once

#include "hostapi/lwio.h"
#include "plugindata/param_descriptor.h"

void PluginDataSave(const LWSaveState *state, const ParamDescriptor *table);
void PluginDataLoad(const LWLoadState *state, const ParamDescriptor *table);
