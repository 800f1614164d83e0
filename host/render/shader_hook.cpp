#include "host/render/shader_hook.h"

#include <stdexcept>

namespace render {

ShaderPass::ShaderPass(const ShaderHooks &hooks) {
    for (const auto &[surface, hook] : hooks) {
        if (!hook.handler || started.count(hook.instance)) continue;
        const LWRenderFuncs *rend = hook.handler->rend;
        LWError error = rend && rend->init ? rend->init(hook.instance, LWINIT_RENDER) : nullptr;
        const char *step = "init";
        if (!error) {
            started.emplace(hook.instance, hook.handler);
            error = rend && rend->newTime ? rend->newTime(hook.instance, 0, 0.0) : nullptr;
            step = "newTime";
        }
        if (error) {
            std::string message =
                "surface \"" + surface + "\": shader " + step + " failed: " + error;
            cleanupStarted();
            throw std::runtime_error(message);
        }
    }
}

ShaderPass::~ShaderPass() {
    cleanupStarted();
}

void ShaderPass::cleanupStarted() {
    for (const auto &[instance, handler] : started)
        if (handler->rend && handler->rend->cleanup) handler->rend->cleanup(instance);
    started.clear();
}

}  // namespace render
