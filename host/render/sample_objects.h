// Small generated objects for tests, benchmarks and demonstrations of the renderer. Every
// polygon faces outwards, carries the surface "Body" and a polygon set.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/scene/scene.h"

namespace render {

// Quads around the side (set "side") closed by two polygons of `sides` corners (set "cap").
MeshData MakeTwoSetCylinder(int sides, float radius, float height);

// Quads between `rings` rings of latitude, triangles at the poles; the polygons above the
// equator form the set "north", the others "south".
MeshData MakeTwoSetSphere(int rings, int segments, float radius);

// A mesh of the given points and polygons (corner indices), without tags.
MeshData MakeMesh(std::vector<std::array<float, 3>> points, std::vector<std::vector<int>> polygons);

ObjectItem MakeObjectItem(const std::string &name, MeshData mesh);

}  // namespace render
