// The records a host hands a shader module's activations. Hosts newer than the module append
// members after the ones it knows, so each record here is followed by room, left as the host set
// it, where those members would be: a module that wrote past what it knows would land there.
#pragma once

#include "host/non_copyable.h"
#include "hostapi/lwhandler.h"

struct ShaderHandlerRecords : NonCopyable {
    ShaderHandlerRecords() : handler{&inst, &item, &rend, nullptr, nullptr} {}

    LWShaderHandler handler;
    void *newerHandlerMembers[4] = {};
    LWInstanceFuncs inst{};
    void *newerInstanceMembers[4] = {};
    LWItemFuncs item{};
    void *newerItemMembers[4] = {};
    LWRenderFuncs rend{};
    void *newerRenderMembers[4] = {};
};

struct ShaderInterfaceRecord {
    explicit ShaderInterfaceRecord(LWInstance instance) : ui{instance, nullptr, nullptr, nullptr} {}

    LWInterface ui;
    void *newerMembers[4] = {};
};
