// A scene served to one shader module as LightWave serves it: every scene and panel service in
// one global function, the module started and activated (from its file, or linked into the
// program and reached through its descriptor), one shader instance for each surface that carries
// the shader, and samples shaded through the handler's record. The one way to put a host together.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/loader/shader_module.h"
#include "host/non_copyable.h"
#include "host/panels/panel_services.h"
#include "host/panels/panel_user.h"
#include "host/render/shader_hook.h"
#include "host/render/shading_record.h"
#include "host/scene/scene.h"
#include "host/services/object_info_service.h"
#include "host/services/scene_listing_services.h"
#include "host/services/service_table.h"

class HostSession : NonCopyable {
  public:
    // Takes the scene as it is; it keeps its shape for the session's life. Throws
    // std::runtime_error when the module cannot be loaded.
    HostSession(Scene scene, const std::string &modulePath);
    // The same with the module linked into this program, e.g. `_mod_descrip` in a test.
    HostSession(Scene scene, const ModuleDescriptor &linkedModule);
    // Ends the render, then destroys every instance the session made.
    ~HostSession();

    const Scene &scene() const { return *served; }
    const LWShaderHandler &handler() const { return module->handler(); }
    ServiceTable &serviceTable() { return services; }
    ObjectInfoService &objectInfoService() { return objectInfo; }
    PanelServices &panelServices() { return panels; }
    GlobalFunc *global() const { return services.global(); }
    // Activates the handler again, e.g. after switching a service off.
    void activateAgain() { module->activateAgain(services.global()); }

    // An instance made by the handler's create with `context`; destroyed with the session.
    LWInstance create(void *context = nullptr);

    // The shader instance of a surface of an object file, created at first use with the
    // surface's identifier as its context, as the host does when the shader is added.
    LWInstance attach(const ObjectFile &file, const std::string &surface);
    // The instance of that surface, or null when the shader was never added to it.
    LWInstance instanceOf(const ObjectFile &file, const std::string &surface) const;

    // Opens the module's options dialog for an instance and lets `user` work it. Throws
    // std::runtime_error with what went wrong when the dialog did not open or the user could
    // not do what was asked.
    void editOptions(LWInstance instance, PanelUser &user);

    void beginRender();
    void endRender();
    void shade(LWInstance instance, render::ShadingRecord &sample) {
        handler().evaluate(instance, &sample.access());
    }
    // A sample at (u, v) of polygon `polygon` of item `item`, as render::SampleOn places it.
    render::ShadingRecord sampleOn(int item, int polygon, float u = 0.5f, float v = 0.5f) const {
        return render::SampleOn(served->items[item], polygon, u, v);
    }

    // The hooks a render of an item of this file uses: one per surface with an instance.
    render::ShaderHooks hooksOf(const ObjectFile &file) const;

  private:
    HostSession(Scene scene);
    LWSurfaceID surfaceId(const ObjectFile &file, const std::string &surface);

    std::unique_ptr<Scene> served;
    ServiceTable services;
    ObjectInfoService objectInfo;
    SceneListingServices listing;
    PanelServices panels;
    std::unique_ptr<ShaderModule> module;
    std::map<std::pair<const ObjectFile *, std::string>, LWInstance> instances;
    std::vector<LWInstance> made;
};
