#include "host/loader/shader_module.h"

#include <stdexcept>

namespace {

// The newest shader version a host of this generation offers first.
constexpr int NewestShaderVersion = 8;
constexpr int NewestInterfaceVersion = 8;

}  // namespace

ShaderModule::ShaderModule(const std::string &path, const std::string &serverName,
                           GlobalFunc *global)
    : path(path), serverName(serverName), file(path), records(new HandlerRecords{}) {
    ActivateFunc *activate = file.findServer(LWSHADER_HCLASS, serverName.c_str());
    if (!activate)
        throw std::runtime_error(path + ": no " LWSHADER_HCLASS " server named " + serverName);
    serverData = file.descriptor().startup ? file.descriptor().startup() : nullptr;
    if (!serverData) throw std::runtime_error(path + ": module start-up failed");
    records->handler = {&records->inst, &records->item, &records->rend, nullptr, nullptr};
    for (int version = NewestShaderVersion; version > 0 && !acceptedVersion; --version) {
        if (activate(version, global, &records->handler, serverData) == AFUNC_OK)
            acceptedVersion = version;
    }
    if (!acceptedVersion) {
        if (file.descriptor().shutdown) file.descriptor().shutdown(serverData);
        throw std::runtime_error(path + ": " + serverName + " refuses every shader version");
    }
}

ShaderModule::~ShaderModule() {
    if (file.descriptor().shutdown) file.descriptor().shutdown(serverData);
}

bool ShaderModule::showInterface(LWInstance instance, GlobalFunc *global) {
    ActivateFunc *activate = file.findServer(LWSHADER_ICLASS, serverName.c_str());
    if (!activate) return false;
    for (int version = 1; version <= NewestInterfaceVersion; ++version) {
        LWInterface ui = {instance, nullptr, nullptr, nullptr};
        if (activate(version, global, &ui, serverData) != AFUNC_OK) continue;
        if (ui.options) ui.options(instance);
        return true;
    }
    return false;
}
