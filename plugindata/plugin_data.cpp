#include "plugindata/plugin_data.h"

#include <cstring>

#include "plugindata/plugin_data_doubles.h"

namespace {

// Room for a stored parameter name, as readStr's maximum; the buffer has one byte more, so that
// a host that does not count the terminating NUL in the maximum stays inside it.
constexpr int NameMaximum = 512;

int ParameterCount(const ParamDescriptor *table) {
    int count = 0;
    for (const ParamDescriptor *row = table; row && row->name; ++row)
        if (row->data) ++count;
    return count;
}

void WriteValue(const LWSaveState *state, const ParamDescriptor &row) {
    void *out = state->writeData;
    switch (row.type) {
        case PBIN:
            state->writeU1(out, static_cast<const unsigned char *>(row.data), row.count);
            break;
        case PDBL:
            PluginDataWriteDoubles(state, static_cast<const double *>(row.data), row.count);
            break;
        case PFLT:
            state->writeFP(out, static_cast<const float *>(row.data), row.count);
            break;
        case PINT:
            state->writeI4(out, static_cast<const int *>(row.data), row.count);
            break;
        case PSTR:
            state->writeStr(out, static_cast<const char *>(row.data));
            break;
        case PUNT:
            state->writeU4(out, static_cast<const unsigned int *>(row.data), row.count);
            break;
        case PUSR:
            if (row.saveFunc) row.saveFunc(state, row.data);
            break;
    }
}

void WriteParameter(const LWSaveState *state, const ParamDescriptor &row) {
    void *out = state->writeData;
    state->beginBlk(out, PluginDataParamBlock, 0);
    state->writeStr(out, row.name);
    const unsigned int type = row.type;
    state->writeU4(out, &type, 1);
    WriteValue(state, row);
    state->endBlk(out);
}

// A text row's buffer keeps one spare byte for the same reason as the name buffer.
void ReadText(const LWLoadState *state, const ParamDescriptor &row) {
    if (row.count < 1) return;
    char *text = static_cast<char *>(row.data);
    state->readStr(state->readData, text, row.count - 1);
    text[row.count - 1] = '\0';
}

void ReadValue(const LWLoadState *state, const ParamDescriptor &row) {
    void *in = state->readData;
    switch (row.type) {
        case PBIN:
            state->readU1(in, static_cast<unsigned char *>(row.data), row.count);
            break;
        case PDBL:
            PluginDataReadDoubles(state, static_cast<double *>(row.data), row.count);
            break;
        case PFLT:
            state->readFP(in, static_cast<float *>(row.data), row.count);
            break;
        case PINT:
            state->readI4(in, static_cast<int *>(row.data), row.count);
            break;
        case PSTR:
            ReadText(state, row);
            break;
        case PUNT:
            state->readU4(in, static_cast<unsigned int *>(row.data), row.count);
            break;
        case PUSR:
            if (row.loadFunc) row.loadFunc(state, row.data);
            break;
    }
}

const ParamDescriptor *FindRow(const ParamDescriptor *table, const char *name, LWID type) {
    for (const ParamDescriptor *row = table; row && row->name; ++row)
        if (row->type == type && std::strcmp(row->name, name) == 0) return row;
    return nullptr;
}

// Reads the next parameter block into the row it matches. False when the stream holds no
// further parameter block.
bool LoadParameter(const LWLoadState *state, const ParamDescriptor *table) {
    void *in = state->readData;
    if (state->findBlk(in, PluginDataParamBlock) != PDPR) return false;
    char name[NameMaximum + 1] = {};
    if (state->readStr(in, name, NameMaximum) <= 0) return true;
    name[NameMaximum] = '\0';
    unsigned int type = 0;
    if (state->readU4(in, &type, 1) <= 0) return true;
    const ParamDescriptor *row = FindRow(table, name, type);
    if (row && row->data) ReadValue(state, *row);
    return true;
}

}  // namespace

void PluginDataSave(const LWSaveState *state, const ParamDescriptor *table) {
    void *out = state->writeData;
    const int count = ParameterCount(table);
    state->beginBlk(out, PluginDataLibBlock, 0);
    state->writeI4(out, &count, 1);
    for (const ParamDescriptor *row = table; row && row->name; ++row)
        if (row->data) WriteParameter(state, *row);
    state->endBlk(out);
}

void PluginDataLoad(const LWLoadState *state, const ParamDescriptor *table) {
    void *in = state->readData;
    if (state->findBlk(in, PluginDataLibBlock) == PDLB) {
        int count = 0;
        if (state->readI4(in, &count, 1) != 1) count = 0;
        // The count comes from the stream and may be anything: the blocks it promises are looked
        // for only until one is missing.
        for (int attempt = 0; attempt < count; ++attempt) {
            const bool found = LoadParameter(state, table);
            state->endBlk(in);
            if (!found) break;
        }
    }
    state->endBlk(in);
}
