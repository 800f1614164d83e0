// Loads a module file as the host does and checks the records a host reads from it. Exits with 0
// when every check passes; prints each failure.
#include <cstdio>
#include <cstring>
#include <exception>

#include "host/loader/handler_records.h"
#include "host/loader/module_file.h"
#include "host/loader/module_session_check.h"
#include "host/services/service_table.h"

namespace {

int failures = 0;

void Check(bool ok, const char *what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++failures;
}

void CheckServers(const ModuleFile &module) {
    const ModuleDescriptor &record = module.descriptor();
    Check(record.sysVersion == MOD_SYSVER, "sysVersion is 3");
    Check(record.sysMachine == MOD_MACHINE, "sysMachine is x86");
    Check(record.startup && record.shutdown, "start-up and shut-down present");
    const ServerRecord *servers = record.serverDefs;
    Check(std::strcmp(servers[0].className, LWSHADER_HCLASS) == 0, "server 0 is the handler");
    Check(std::strcmp(servers[1].className, LWSHADER_ICLASS) == 0, "server 1 is the interface");
    Check(std::strcmp(servers[0].name, "KV_Velmora") == 0, "servers are named KV_Velmora");
    Check(servers[0].name == servers[1].name, "both servers share one name string");
    Check(!servers[2].className && !servers[2].name && !servers[2].activate,
          "the list ends with an empty record");
}

void CheckHandler(const ModuleFile &module) {
    void *token = module.descriptor().startup();
    Check(token != nullptr, "start-up returns a token");
    ActivateFunc *activate = FindServer(module.descriptor(), LWSHADER_HCLASS, "KV_Velmora");
    ShaderHandlerRecords records;
    LWShaderHandler &handler = records.handler;
    LWInstanceFuncs &inst = records.inst;
    LWRenderFuncs &rend = records.rend;
    ServiceTable services;
    bool refusedNewer = true;
    for (int version = 8; version > 4; --version)
        refusedNewer &= activate(version, services.global(), &handler, token) == AFUNC_BADVERSION;
    Check(refusedNewer && !inst.create, "the handler refuses versions 8 to 5 and writes nothing");
    Check(activate(4, services.global(), &handler, token) == AFUNC_OK,
          "the handler accepts version 4");
    Check(inst.create && inst.destroy && rend.init && handler.evaluate && handler.flags,
          "the handler record is filled");
    LWError error = nullptr;
    LWInstance instance = inst.create(nullptr, nullptr, &error);
    Check(instance != nullptr, "an instance is created");
    Check(std::strcmp(inst.descln(instance), "KV's Velmora Shader version 0.16") == 0,
          "descln gives the title");
    Check(handler.flags(instance) == 0x401, "flags are 0x401");
    inst.destroy(instance);
    module.descriptor().shutdown(token);
}

}  // namespace

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : "KV_Velmora.p";
    try {
        ModuleFile module(path);
        CheckServers(module);
        CheckHandler(module);
        PrintModuleSession(path);
    } catch (const std::exception &error) {
        std::printf("FAIL: %s\n", error.what());
        return 1;
    }
    std::printf("%d checks failed\n", failures);
    return failures == 0 ? 0 : 1;
}
