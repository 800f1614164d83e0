// The per-surface shader instance and the handler callbacks that manage it.
#pragma once

#include <memory>

#include "hostapi/lwhandler.h"
#include "shader/polygon_set_list.h"

inline constexpr char VelmoraTitle[] = "KV's Velmora Shader version 0.16";

struct ShaderInstance {
    std::unique_ptr<PolygonSetList> settings;
    char description[128];
    LWSurfaceID surface;
};

LWInstance create(void *priv, void *context, LWError *err);
void destroy(LWInstance instance);
LWError copy(LWInstance to, LWInstance from);
const char *descln(LWInstance instance);
const LWItemID *useItems(LWInstance instance);
void changeID(LWInstance instance, const LWItemID *ids);
LWError newTime(LWInstance instance, LWFrame frame, LWTime time);
unsigned int flags(LWInstance instance);
