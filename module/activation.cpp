#include "module/activation.h"

#include "hostapi/lwhandler.h"
#include "module/callback_guard.h"
#include "module/host_services.h"
#include "panel/options_dialog.h"
#include "plugindata/settings_record.h"
#include "shader/evaluate.h"
#include "shader/render_callbacks.h"
#include "shader/shader_instance.h"

namespace {

void FillHandler(LWShaderHandler &handler) {
    LWInstanceFuncs &inst = *handler.inst;
    inst.create = create;
    inst.destroy = destroy;
    inst.copy = copy;
    inst.load = load;
    inst.save = save;
    inst.descln = descln;
    if (handler.item) {
        handler.item->useItems = useItems;
        handler.item->changeID = changeID;
    }
    handler.rend->init = init;
    handler.rend->cleanup = cleanup;
    handler.rend->newTime = newTime;
    handler.evaluate = evaluate;
    handler.flags = flags;
}

}  // namespace

extern "C" int ActivateHandler(int version, GlobalFunc *global, void *local, void *) {
    if (version != LWSHADER_VERSION) return AFUNC_BADVERSION;
    return Guarded(AFUNC_BADAPP_SILENT, [global, local] {
        FillHandler(*static_cast<LWShaderHandler *>(local));
        FetchHostServices(global);
        return AFUNC_OK;
    });
}

extern "C" int ActivateInterface(int version, GlobalFunc *, void *local, void *) {
    if (version != LWINTERFACE_VERSION) return AFUNC_BADVERSION;
    GuardedVoid([local] {
        if (!hostServices.objectInfo) return;
        ShowOptionsDialog(static_cast<ShaderInstance *>(static_cast<LWInterface *>(local)->inst));
    });
    return AFUNC_OK;
}
