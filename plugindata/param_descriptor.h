// One row of a table of named, typed parameters, and the ids of the blocks and types that carry
// them in the host's streams.
#pragma once

#include <cstdint>

#include "hostapi/lwio.h"

struct ParamDescriptor {
    const char *name;  // null ends the table
    std::uint32_t type;
    void *data;  // null: the row takes no part in saving or loading
    std::int32_t count;
    void (*saveFunc)(const LWSaveState *state, void *data);
    void (*loadFunc)(const LWLoadState *state, void *data);
};

inline constexpr LWID PBIN = LWID_('P', 'B', 'I', 'N');  // bytes
inline constexpr LWID PDBL = LWID_('P', 'D', 'B', 'L');  // doubles
inline constexpr LWID PFLT = LWID_('P', 'F', 'L', 'T');  // 32-bit floats
inline constexpr LWID PINT = LWID_('P', 'I', 'N', 'T');  // 32-bit signed integers
inline constexpr LWID PSTR = LWID_('P', 'S', 'T', 'R');  // text; count is the buffer's size
inline constexpr LWID PUNT = LWID_('P', 'U', 'N', 'T');  // 32-bit unsigned integers
inline constexpr LWID PUSR = LWID_('P', 'U', 'S', 'R');  // written and read by the row's functions

inline constexpr LWID PDLB = LWID_('P', 'D', 'L', 'B');
inline constexpr LWID PDPR = LWID_('P', 'D', 'P', 'R');

// findBlk takes a list ended by an all-zero entry.
inline constexpr LWBlockIdent PluginDataLibBlock[] = {{PDLB, "PluginDataLib"}, {0, nullptr}};
inline constexpr LWBlockIdent PluginDataParamBlock[] = {{PDPR, "PluginDataParam"}, {0, nullptr}};
