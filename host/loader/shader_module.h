// A shader module started and activated the way LightWave does it: its start-up runs, the handler
// is activated from the highest shader version down to the one the module accepts, and the
// interface from version 1 up. Ending it runs the shut-down. The module is either a file the host
// opens or one linked into the program, reached all the same through its `_mod_descrip` record.
#pragma once

#include <memory>
#include <string>

#include "host/loader/handler_records.h"
#include "host/loader/module_file.h"
#include "host/non_copyable.h"

class ShaderModule : NonCopyable {
  public:
    // Throws std::runtime_error naming the file and the problem when the module is missing, has a
    // bad descriptor, lacks the server, or refuses every version.
    ShaderModule(const std::string &path, const std::string &serverName, GlobalFunc *global);
    // A module linked into this program, given by its descriptor; throws as above.
    ShaderModule(const ModuleDescriptor &linked, const std::string &serverName, GlobalFunc *global);
    ~ShaderModule();

    const LWShaderHandler &handler() const { return records->handler; }
    int handlerVersion() const { return acceptedVersion; }
    // Activates the handler again at the version it accepted, as a host does for each new scene.
    void activateAgain(GlobalFunc *global);

    // Activates the interface server for `instance`; runs the options callback when the module
    // leaves one. False when the module has no interface or refuses every version.
    bool showInterface(LWInstance instance, GlobalFunc *global);

  private:
    void start(GlobalFunc *global);

    std::string origin;  // the file, or what stands for a linked module in messages
    std::string serverName;
    std::unique_ptr<ModuleFile> file;
    const ModuleDescriptor &descriptor;
    void *serverData = nullptr;
    std::unique_ptr<ShaderHandlerRecords> records;
    int acceptedVersion = 0;
};
