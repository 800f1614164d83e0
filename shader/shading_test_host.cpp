#include "shader/shading_test_host.h"

#include <stdexcept>

#include "module/activation.h"
#include "module/host_services.h"
#include "shader/shader_instance.h"

ShadingTestHost::ShadingTestHost(Scene scene)
    : world(std::move(scene)), objects(world), listing(world) {
    objects.registerIn(table);
    listing.registerIn(table);
    activate();
}

ShadingTestHost::~ShadingTestHost() {
    endRender();
    for (LWInstance instance : instances) records.inst.destroy(instance);
    hostServices = {};
}

void ShadingTestHost::activate() {
    if (ActivateHandler(LWSHADER_VERSION, table.global(), &records.handler, nullptr) != AFUNC_OK)
        throw std::logic_error("the shader handler refused version 4");
}

LWInstance ShadingTestHost::createInstance(LWSurfaceID surface) {
    LWError error = nullptr;
    LWInstance instance = records.inst.create(records.inst.priv, surface, &error);
    if (!instance) throw std::runtime_error("the shader handler made no instance");
    instances.push_back(instance);
    return instance;
}

PolygonSetList &ShadingTestHost::settingsOf(LWInstance instance) {
    return *static_cast<ShaderInstance *>(instance)->settings;
}

PolygonSetEntry &ShadingTestHost::addSet(LWInstance instance, const std::string &name, double angle,
                                         int sameSetOnly, int enabled) {
    PolygonSetEntry &entry = settingsOf(instance).append(name);
    entry.enabled = enabled;
    entry.angle = angle;
    entry.sameSetOnly = sameSetOnly;
    return entry;
}
