#include "host/loader/shader_module.h"

#include <stdexcept>

namespace {

// The newest shader version a host of this generation offers first.
constexpr int NewestShaderVersion = 8;
constexpr int NewestInterfaceVersion = 8;

}  // namespace

ShaderModule::ShaderModule(const std::string &path, const std::string &serverName,
                           GlobalFunc *global)
    : origin(path),
      serverName(serverName),
      file(std::make_unique<ModuleFile>(path)),
      descriptor(file->descriptor()) {
    start(global);
}

ShaderModule::ShaderModule(const ModuleDescriptor &linked, const std::string &serverName,
                           GlobalFunc *global)
    : origin("linked module"), serverName(serverName), descriptor(linked) {
    start(global);
}

void ShaderModule::start(GlobalFunc *global) {
    records = std::make_unique<ShaderHandlerRecords>();
    ActivateFunc *activate = FindServer(descriptor, LWSHADER_HCLASS, serverName.c_str());
    if (!activate)
        throw std::runtime_error(origin + ": no " LWSHADER_HCLASS " server named " + serverName);
    serverData = descriptor.startup ? descriptor.startup() : nullptr;
    if (!serverData) throw std::runtime_error(origin + ": module start-up failed");
    for (int version = NewestShaderVersion; version > 0 && !acceptedVersion; --version) {
        if (activate(version, global, &records->handler, serverData) == AFUNC_OK)
            acceptedVersion = version;
    }
    if (!acceptedVersion) {
        if (descriptor.shutdown) descriptor.shutdown(serverData);
        throw std::runtime_error(origin + ": " + serverName + " refuses every shader version");
    }
}

ShaderModule::~ShaderModule() {
    if (descriptor.shutdown) descriptor.shutdown(serverData);
}

void ShaderModule::activateAgain(GlobalFunc *global) {
    ActivateFunc *activate = FindServer(descriptor, LWSHADER_HCLASS, serverName.c_str());
    if (activate(acceptedVersion, global, &records->handler, serverData) != AFUNC_OK)
        throw std::runtime_error(origin + ": " + serverName + " refuses the version it accepted");
}

bool ShaderModule::showInterface(LWInstance instance, GlobalFunc *global) {
    ActivateFunc *activate = FindServer(descriptor, LWSHADER_ICLASS, serverName.c_str());
    if (!activate) return false;
    for (int version = 1; version <= NewestInterfaceVersion; ++version) {
        ShaderInterfaceRecord record(instance);
        if (activate(version, global, &record.ui, serverData) != AFUNC_OK) continue;
        if (record.ui.options) record.ui.options(instance);
        return true;
    }
    return false;
}
