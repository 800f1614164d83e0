// The former OBJ reader (tinyobjloader, one string stream per line), as the benchmark's baseline.
#pragma once

#include <string>
#include <string_view>

#include "host/scene/scene.h"

ObjectFile ParseObjThroughTinyobjloader(std::string_view text, const std::string &filename);
