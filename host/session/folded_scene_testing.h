// A scene for session tests: one object, two quads folded along their shared edge, one surface
// "Metal" and two polygon sets, "Left" and "Right".
#pragma once

#include "host/scene/mesh_generators.h"

inline Scene FoldedTwoSetScene(double foldRadians) {
    MeshData mesh = MakeFoldedGrid(2, 1, foldRadians, {"Metal", "Left"});
    mesh.polygons[1].part = "Right";
    Scene scene;
    auto file = MakeObjectFile("Folded.lwo", std::move(mesh));
    file->surfaces = {"Metal"};
    scene.items.push_back({"Folded", file});
    return scene;
}
