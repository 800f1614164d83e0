// For tests of the UV maps: two quads side by side, 0 1 4 3 and 1 2 5 4, whose shared edge is a
// seam of the UV layout at point 4 only: point 1 has its coordinate given twice under two
// indices.
#pragma once

#include "host/scene/scene.h"

inline ObjectFile SeamedQuads() {
    ObjectFile object;
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}};
    object.mesh.textureCoordinates = {{0, 0},    {0.5f, 0}, {0, 1}, {0.5f, 1},
                                      {0.5f, 0}, {1, 0},    {1, 1}, {0.75f, 1}};
    object.mesh.polygons.resize(2);
    object.mesh.polygons[0].points = {0, 1, 4, 3};
    object.mesh.polygons[0].textureCorners = {0, 1, 3, 2};
    object.mesh.polygons[1].points = {1, 2, 5, 4};
    object.mesh.polygons[1].textureCorners = {4, 5, 6, 7};
    return object;
}
