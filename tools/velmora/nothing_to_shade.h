// An object a shader has nothing to do on: no polygon of three or more corners, the only kind a
// renderer shades (an empty OBJ, one of points and lines only). The commands that shade refuse it
// rather than give an empty picture or file as if all were well.
#pragma once

#include <optional>
#include <string>

#include "host/scene/scene.h"

// "12 polygons", or where some are no faces "4870 polygons: 4000 lines, 870 one-point polygons, no
// faces": lines and points are polygons in the object's file, but nothing a renderer shades.
std::string PolygonCountText(const MeshData &mesh);

// Empty when the object has a polygon to shade; else what it holds instead, naming the file:
// "only.obj: no polygons to shade, only 4 points and 2 lines".
std::optional<std::string> NothingToShade(const ObjectFile &file);

// Throws std::runtime_error with NothingToShade's words when it has any.
void RefuseNothingToShade(const ObjectFile &file);
