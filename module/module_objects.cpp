#include "module/module_objects.h"

ShaderLock shaderLock;
SetNameList setNameList;
AdjacencyCacheList adjacencyCacheList;
