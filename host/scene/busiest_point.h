// The point shared by the most polygon corners. Work that visits, for each corner, every polygon
// at its point costs the square of this count there; a tool warns of it before starting.
#pragma once

#include <cstddef>

#include "host/scene/scene.h"

struct PointShare {
    int point = -1;  // none for a mesh without corners
    std::size_t corners = 0;
};

PointShare BusiestPoint(const MeshData &mesh);
