#include "shader/render_callbacks.h"

#include "module/callback_guard.h"
#include "module/module_objects.h"

namespace {

// The list is global: any instance's init or cleanup empties it for every object.
void ClearCaches() {
    GuardedVoid([] {
        ShaderLockHold hold(shaderLock);
        adjacencyCacheList.clear();
    });
}

}  // namespace

LWError init(LWInstance, int) {
    ClearCaches();
    return nullptr;
}

void cleanup(LWInstance) {
    ClearCaches();
}
