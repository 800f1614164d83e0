// For tests that give a module's instance its settings as a scene would: the module's record of
// `sets` in the binary form, laid out as its save writes it. The version, the parameter's name and
// the counts may be given otherwise, for tests of damaged records.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "host/session/set_list_record.h"
#include "host/streams/binary_stream.h"

inline std::vector<unsigned char> SetListRecord(const std::vector<StoredSet> &sets,
                                                int version = 256, const char *parameter = "plist",
                                                std::optional<int> setCount = std::nullopt,
                                                int parameterCount = 1) {
    static constexpr LWBlockIdent library{LWID_('P', 'D', 'L', 'B'), "PluginDataLib"};
    static constexpr LWBlockIdent parameterBlock{LWID_('P', 'D', 'P', 'R'), "PluginDataParam"};
    BinarySaveStream out;
    const LWSaveState &state = *out.state();
    void *data = state.writeData;
    state.writeI4(data, &version, 1);
    state.beginBlk(data, &library, 0);
    state.writeI4(data, &parameterCount, 1);
    state.beginBlk(data, &parameterBlock, 0);
    state.writeStr(data, parameter);
    const unsigned int type = LWID_('P', 'U', 'S', 'R');
    state.writeU4(data, &type, 1);
    const int count = setCount.value_or(static_cast<int>(sets.size()));
    state.writeI4(data, &count, 1);
    for (const StoredSet &set : sets) {
        state.writeStr(data, set.name.c_str());
        state.writeI4(data, &set.enabled, 1);
        // The angle's bits, most significant first, as the module writes doubles.
        auto bits = std::bit_cast<std::uint64_t>(set.angleRadians);
        unsigned char angle[8];
        for (int i = 0; i < 8; ++i) angle[i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
        state.writeU1(data, angle, 8);
        state.writeI4(data, &set.sameSetOnly, 1);
    }
    state.endBlk(data);
    state.endBlk(data);
    return out.bytes();
}
