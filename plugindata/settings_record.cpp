#include "plugindata/settings_record.h"

#include <string>

#include "module/callback_guard.h"
#include "plugindata/plugin_data.h"
#include "plugindata/plugin_data_doubles.h"
#include "shader/shader_instance.h"

namespace {

// Marks the instance data this module writes; anything else is left unread.
constexpr int RecordVersion = 256;

// Room for a stored polygon-set name, as readStr's maximum; the buffer has a spare byte beyond
// the 512 so that a host that does not count the terminating NUL in the maximum stays inside it.
constexpr int SetNameMaximum = 511;

void WriteEntry(const LWSaveState *state, const PolygonSetEntry &entry) {
    void *out = state->writeData;
    state->writeStr(out, entry.name.c_str());
    state->writeI4(out, &entry.enabled, 1);
    PluginDataWriteDoubles(state, &entry.angle, 1);
    state->writeI4(out, &entry.sameSetOnly, 1);
}

void WriteSetList(const LWSaveState *state, void *data) {
    const PolygonSetList &list = *static_cast<const ShaderInstance *>(data)->settings;
    const int count = static_cast<int>(list.size());
    state->writeI4(state->writeData, &count, 1);
    for (std::size_t i = 0; i < list.size(); ++i) WriteEntry(state, list.at(i));
}

// The name, or -1 when the stream gave none (which for some hosts is also an empty name).
int ReadSetName(const LWLoadState *state, std::string &name) {
    char text[SetNameMaximum + 2] = {};
    const int length = state->readStr(state->readData, text, SetNameMaximum);
    text[SetNameMaximum + 1] = '\0';
    name = length > 0 ? text : "";
    return length > 0 ? length : -1;
}

// The number of fields after the name that the stream supplied; a missing one keeps the value of
// a new entry.
int ReadEntryFields(const LWLoadState *state, PolygonSetEntry &entry) {
    void *in = state->readData;
    const PolygonSetEntry fresh;
    int read = 0;
    if (state->readI4(in, &entry.enabled, 1) == 1)
        ++read;
    else
        entry.enabled = fresh.enabled;
    if (PluginDataReadDoubles(state, &entry.angle, 1) == 1)
        ++read;
    else
        entry.angle = DefaultSmoothingAngle;
    if (state->readI4(in, &entry.sameSetOnly, 1) == 1)
        ++read;
    else
        entry.sameSetOnly = fresh.sameSetOnly;
    return read;
}

// Appends the next stored entry. False when the stream has run out: an entry cut short is kept
// with what was there, one of which nothing was there is not.
bool ReadEntry(const LWLoadState *state, PolygonSetList &list) {
    std::string name;
    const bool named = ReadSetName(state, name) > 0;
    const int fields = ReadEntryFields(state, list.append(std::move(name)));
    if (!named && fields == 0) list.remove(list.size() - 1);
    return fields == 3;
}

void ReadSetList(const LWLoadState *state, void *data) {
    PolygonSetList &list = *static_cast<ShaderInstance *>(data)->settings;
    list.clear();
    int count = 0;
    if (state->readI4(state->readData, &count, 1) != 1) count = 0;
    // The count comes from the stream and may be anything: entries are read only while the
    // stream still holds them.
    for (int i = 0; i < count; ++i)
        if (!ReadEntry(state, list)) break;
}

struct SettingsTable {
    ParamDescriptor rows[2];
};

SettingsTable TableFor(ShaderInstance *instance) {
    return {{{"plist", PUSR, instance, 1, WriteSetList, ReadSetList},
             {nullptr, 0, nullptr, 0, nullptr, nullptr}}};
}

}  // namespace

LWError load(LWInstance instance, const LWLoadState *state) {
    GuardedVoid([&] {
        int version = 0;
        state->readI4(state->readData, &version, 1);
        if (version != RecordVersion) return;
        const SettingsTable table = TableFor(static_cast<ShaderInstance *>(instance));
        PluginDataLoad(state, table.rows);
    });
    return nullptr;
}

LWError save(LWInstance instance, const LWSaveState *state) {
    GuardedVoid([&] {
        const int version = RecordVersion;
        state->writeI4(state->writeData, &version, 1);
        const SettingsTable table = TableFor(static_cast<ShaderInstance *>(instance));
        PluginDataSave(state, table.rows);
    });
    return nullptr;
}
