#include "host/session/host_session.h"

#include <cstring>
#include <stdexcept>

#include "host/scene/name_lookup.h"
#include "host/scene/quoted_list.h"

HostSession::HostSession(Scene scene)
    : served(std::make_unique<Scene>(std::move(scene))), objectInfo(*served), listing(*served) {
    objectInfo.registerIn(services);
    listing.registerIn(services);
    panels.registerIn(services);
}

HostSession::HostSession(Scene scene, const std::string &modulePath)
    : HostSession(std::move(scene)) {
    module = std::make_unique<ShaderModule>(modulePath, "KV_Velmora", services.global());
}

HostSession::HostSession(Scene scene, const ModuleDescriptor &linkedModule)
    : HostSession(std::move(scene)) {
    module = std::make_unique<ShaderModule>(linkedModule, "KV_Velmora", services.global());
}

HostSession::~HostSession() {
    if (!module) return;
    // Caches the module keeps for a render name objects of this scene, which ends here.
    endRender();
    for (auto &[surface, instance] : instances) handler().inst->destroy(instance);
    for (LWInstance instance : made) handler().inst->destroy(instance);
}

LWInstance HostSession::create(void *context) {
    LWError error = nullptr;
    LWInstance instance = handler().inst->create(handler().inst->priv, context, &error);
    if (!instance)
        throw std::runtime_error(std::string("the shader made no instance") +
                                 (error ? std::string(": ") + error : std::string()));
    made.push_back(instance);
    return instance;
}

void HostSession::beginRender() {
    handler().rend->init(nullptr, LWINIT_RENDER);
}

void HostSession::endRender() {
    handler().rend->cleanup(nullptr);
}

LWSurfaceID HostSession::surfaceId(const ObjectFile &file, const std::string &surface) {
    LWSurfaceFuncs *surfaces = listing.surfaceFuncs();
    LWSurfaceID *ids = surfaces->byObject(file.filename.c_str());
    std::vector<std::string> names;
    for (LWSurfaceID *id = ids; id && *id; ++id) names.push_back(surfaces->name(*id));
    return ids[SurfaceIndex(names, surface, file.filename)];
}

LWInstance HostSession::attach(const ObjectFile &file, const std::string &surface) {
    auto key = std::make_pair(&file, surface);
    if (auto found = instances.find(key); found != instances.end()) return found->second;
    LWError error = nullptr;
    LWInstance instance =
        handler().inst->create(handler().inst->priv, surfaceId(file, surface), &error);
    if (!instance)
        throw std::runtime_error(file.filename + ": surface " + QuotedName(surface) +
                                 ": the shader refused the surface" +
                                 (error ? std::string(": ") + error : std::string()));
    instances.emplace(key, instance);
    return instance;
}

LWInstance HostSession::instanceOf(const ObjectFile &file, const std::string &surface) const {
    auto found = instances.find(std::make_pair(&file, surface));
    return found == instances.end() ? nullptr : found->second;
}

void HostSession::editOptions(LWInstance instance, PanelUser &user) {
    panels.forgetProblems();
    panels.setUser(&user);
    int openedBefore = panels.opened();
    bool activated = module->showInterface(instance, services.global());
    panels.setUser(nullptr);
    if (!activated) throw std::runtime_error("the shader has no options dialog");
    if (panels.opened() == openedBefore)
        throw std::runtime_error("the options dialog did not open");
    if (!panels.problems().empty()) throw std::runtime_error(panels.problems().front());
}

render::ShaderHooks HostSession::hooksOf(const ObjectFile &file) const {
    render::ShaderHooks hooks;
    for (const auto &[key, instance] : instances)
        if (key.first == &file) hooks[key.second] = {&handler(), instance};
    return hooks;
}
