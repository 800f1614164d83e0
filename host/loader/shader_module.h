// A shader module loaded and activated the way LightWave does it: the module file is opened, its
// start-up runs, the handler is activated from the highest shader version down to the one the
// module accepts, and the interface from version 1 up. Unloading runs the shut-down.
#pragma once

#include <memory>
#include <string>

#include "host/loader/module_file.h"
#include "hostapi/lwhandler.h"

class ShaderModule {
  public:
    // Throws std::runtime_error naming the file and the problem when the module is missing, has a
    // bad descriptor, lacks the server, or refuses every version.
    ShaderModule(const std::string &path, const std::string &serverName, GlobalFunc *global);
    ~ShaderModule();
    ShaderModule(const ShaderModule &) = delete;
    ShaderModule &operator=(const ShaderModule &) = delete;

    const LWShaderHandler &handler() const { return records->handler; }
    int handlerVersion() const { return acceptedVersion; }

    // Activates the interface server for `instance`; runs the options callback when the module
    // leaves one. False when the module has no interface or refuses every version.
    bool showInterface(LWInstance instance, GlobalFunc *global);

  private:
    // Hosts have members after the ones the module knows; room is left for them.
    struct HandlerRecords {
        LWShaderHandler handler;
        LWInstanceFuncs inst;
        LWItemFuncs item;
        void *newerItemMembers[4];
        LWRenderFuncs rend;
    };

    std::string path;
    std::string serverName;
    ModuleFile file;
    void *serverData = nullptr;
    std::unique_ptr<HandlerRecords> records;
    int acceptedVersion = 0;
};
