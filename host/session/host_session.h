// A scene served to one loaded shader module as LightWave serves it: every scene and panel
// service in one global function, the module loaded from its file and activated, and one shader
// instance for each surface that carries the shader.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "host/loader/shader_module.h"
#include "host/panels/panel_services.h"
#include "host/panels/panel_user.h"
#include "host/render/shader_hook.h"
#include "host/scene/scene.h"
#include "host/services/object_info_service.h"
#include "host/services/scene_listing_services.h"
#include "host/services/service_table.h"

class HostSession {
  public:
    // Takes the scene as it is; it keeps its shape for the session's life. Throws
    // std::runtime_error when the module cannot be loaded.
    HostSession(Scene scene, const std::string &modulePath);
    ~HostSession();
    HostSession(const HostSession &) = delete;
    HostSession &operator=(const HostSession &) = delete;

    const Scene &scene() const { return *served; }
    const LWShaderHandler &handler() const { return module->handler(); }

    // The shader instance of a surface of an object file, created at first use with the
    // surface's identifier as its context, as the host does when the shader is added.
    LWInstance attach(const ObjectFile &file, const std::string &surface);
    // The instance of that surface, or null when the shader was never added to it.
    LWInstance instanceOf(const ObjectFile &file, const std::string &surface) const;

    // Opens the module's options dialog for an instance and lets `user` work it. Throws
    // std::runtime_error with what went wrong when the dialog did not open or the user could
    // not do what was asked.
    void editOptions(LWInstance instance, PanelUser &user);

    // The hooks a render of an item of this file uses: one per surface with an instance.
    render::ShaderHooks hooksOf(const ObjectFile &file) const;

  private:
    LWSurfaceID surfaceId(const ObjectFile &file, const std::string &surface);

    std::unique_ptr<Scene> served;
    ServiceTable services;
    ObjectInfoService objectInfo;
    SceneListingServices listing;
    PanelServices panels;
    std::unique_ptr<ShaderModule> module;
    std::map<std::pair<const ObjectFile *, std::string>, LWInstance> instances;
};
