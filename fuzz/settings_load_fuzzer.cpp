// Arbitrary bytes, read both as a scene file and as an object file, go to the module's load
// callback through its handler record. Whatever the module keeps must then survive a save and a
// second load unchanged, in both forms.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "host/services/service_table.h"
#include "host/streams/stream_file.h"
#include "hostapi/lwhandler.h"
#include "hostapi/lwserver.h"

extern "C" ModuleDescriptor _mod_descrip;

namespace {

using Bytes = std::vector<unsigned char>;

struct Handler {
    LWInstanceFuncs inst = {};
    LWItemFuncs item = {};
    LWRenderFuncs rend = {};
    LWShaderHandler record = {&inst, &item, &rend, nullptr, nullptr};
};

const Handler &ActivatedHandler() {
    static ServiceTable host;
    static Handler handler;
    static const bool activated =
        _mod_descrip.serverDefs[0].activate(LWSHADER_VERSION, host.global(), &handler.record,
                                            _mod_descrip.startup()) == AFUNC_OK;
    if (!activated) std::abort();
    return handler;
}

struct Instance {
    explicit Instance(const LWInstanceFuncs &inst) : inst(inst) {
        handle = inst.create(inst.priv, nullptr, nullptr);
        if (!handle) std::abort();
    }
    ~Instance() { inst.destroy(handle); }
    const LWInstanceFuncs &inst;
    LWInstance handle;
};

// The instance's settings as saved in `mode`, or nothing when the stream refused them (text that
// a scene file cannot hold, a list too large for a block).
bool Saved(const Instance &instance, int mode, Bytes &bytes) {
    std::unique_ptr<SaveStream> out = MakeSaveStream(mode);
    if (instance.inst.save(instance.handle, out->state())) std::abort();
    if (out->failed()) return false;
    bytes = out->bytes();
    return true;
}

void Load(const Instance &instance, int mode, const Bytes &bytes) {
    std::unique_ptr<LoadStream> in = MakeLoadStream(mode, bytes);
    if (instance.inst.load(instance.handle, in->state())) std::abort();
}

void CheckSurvivesSaveAndLoad(const LWInstanceFuncs &inst, const Instance &loaded) {
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        Bytes first, second;
        if (!Saved(loaded, mode, first)) continue;
        Instance copy(inst);
        Load(copy, mode, first);
        if (!Saved(copy, mode, second) || second != first) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const LWInstanceFuncs &inst = ActivatedHandler().inst;
    const Bytes bytes(data, data + size);
    for (int mode : {LWIO_BINARY, LWIO_ASCII}) {
        Instance instance(inst);
        Load(instance, mode, bytes);
        CheckSurvivesSaveAndLoad(inst, instance);
    }
    return 0;
}
