// What the passes that finish a proposal read of a mesh, as the module reads it: each polygon's
// normal through its corners 0, 1 and n-1, and the polygons at each point by number. The
// proposers have both at hand and hand them over, rather than have them made again.
#pragma once

#include <vector>

#include "host/scene/host_normals.h"
#include "host/scene/scene.h"
#include "host/scene/vec3.h"

struct ModuleNeighbourhood {
    std::vector<geometry::Vec3> normal;  // per polygon, as geometry::GeometricNormal gives it
    geometry::PointPolygons around;
};

// For a caller without them at hand.
ModuleNeighbourhood ModuleNeighbourhoodOf(const MeshData &mesh);
