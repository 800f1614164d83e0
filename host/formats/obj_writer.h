// Writes an object's mesh as Wavefront OBJ text: points, then faces and one-point polygons (as
// `p`), then two-point polygons as lines, with `g` and `usemtl` statements where the part or
// surface changes. Shaders and polygon types do not exist in OBJ; smoothing groups and texture
// coordinates are not written. Reading the text back gives the same mesh when the object's
// two-point polygons come after all its other polygons and every polygon has a surface but no
// smoothing group or texture corners.
#pragma once

#include <string>

#include "host/scene/scene.h"

std::string ObjText(const ObjectFile &object);
