// The normal the module writes at every polygon corner of an object, sampled as a render would
// sample it: the render starts (init, newTime), samples run on several threads, the render ends.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "hostapi/lwhandler.h"

// The module's instance of each surface that carries it; other surfaces show the host's normal.
struct ObjectShaders {
    const LWShaderHandler *handler = nullptr;
    std::map<std::string, LWInstance> bySurface;
};

using CornerNormal = std::array<double, 3>;

// Normals in polygon order, then corner order within each polygon.
std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item, const ObjectShaders &shaders,
                                              unsigned threads);
