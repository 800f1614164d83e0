#include "shader/shader_instance.h"

#include <cstring>
#include <new>

#include "module/callback_guard.h"

LWInstance create(void *, void *context, LWError *) {
    return Guarded<>(LWInstance{nullptr}, [context]() -> LWInstance {
        auto *instance = new ShaderInstance;
        instance->surface = context;
        try {
            instance->settings = std::make_unique<PolygonSetList>();
        } catch (...) {
            delete instance;
            throw;
        }
        return instance;
    });
}

void destroy(LWInstance instance) {
    GuardedVoid([instance] { delete static_cast<ShaderInstance *>(instance); });
}

LWError copy(LWInstance to, LWInstance from) {
    GuardedVoid([to, from] {
        auto &destination = *static_cast<ShaderInstance *>(to);
        const auto &source = *static_cast<const ShaderInstance *>(from);
        destination.settings->copyFrom(*source.settings);
    });
    return nullptr;
}

const char *descln(LWInstance instance) {
    return Guarded<>(VelmoraTitle, [instance]() -> const char * {
        auto &self = *static_cast<ShaderInstance *>(instance);
        std::memcpy(self.description, VelmoraTitle, sizeof VelmoraTitle);
        return self.description;
    });
}

const LWItemID *useItems(LWInstance) {
    return Guarded<>(static_cast<const LWItemID *>(nullptr),
                     []() -> const LWItemID * { return nullptr; });
}

void changeID(LWInstance, const LWItemID *) {
    GuardedVoid([] {});
}

LWError newTime(LWInstance, LWFrame, LWTime) {
    return Guarded<>(LWError{nullptr}, []() -> LWError { return nullptr; });
}

unsigned int flags(LWInstance) {
    return Guarded(0u, [] { return LWSHF_NORMAL | LWSHF_RAYTRACE; });
}
