// The frame a writer puts an object's mesh in. LightWave's is left-handed: +X right, +Y up, +Z
// forward, into the screen. glTF and most other tools take a mesh as right-handed with +Y up, so a
// mesh written as it is opens mirrored front to back there. Turning Z around carries one frame into
// the other; being a mirror, it also turns every polygon inside out, so its corners must go the
// other way round to keep its front on the side the object shows.
#pragma once

#include <cstddef>

#include "host/scene/vec3.h"

enum class MeshFrame { leftHanded, rightHanded };

// A point or direction of the object in `frame`.
inline geometry::Vec3 InFrame(MeshFrame frame, geometry::Vec3 v) {
    if (frame == MeshFrame::rightHanded) v.z = -v.z;
    return v;
}

// The corner of an n-corner polygon that comes c-th in `frame`. The right-handed frame takes the
// corners the other way round from the first, which stays first: the fan of triangles from it,
// the one the host renders, keeps its triangles, each turned around.
inline std::size_t CornerInFrame(MeshFrame frame, std::size_t c, std::size_t n) {
    return frame == MeshFrame::leftHanded || c == 0 ? c : n - c;
}
