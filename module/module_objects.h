// The module-wide objects. They are defined together in one translation unit so that they are
// made in this order at load and destroyed in the reverse order at unload, the lock last.
#pragma once

#include "discovery/set_name_list.h"
#include "platform/shader_lock.h"
#include "shader/adjacency_cache.h"

extern ShaderLock shaderLock;
extern SetNameList setNameList;
extern AdjacencyCacheList adjacencyCacheList;
