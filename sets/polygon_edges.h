// The neighbour across each edge of each polygon, within a surface: what the proposers walk.
// An edge joins two polygons when exactly two polygons of one surface use its two points, in
// either order; an edge of one polygon only, of three or more (non-manifold), or between
// surfaces joins nothing, and neither does an edge whose two points are the same.
#pragma once

#include <vector>

#include "host/scene/host_normals.h"
#include "host/scene/scene.h"
#include "host/scene/vec3.h"

struct PolygonEdges {
    std::vector<int> firstCorner;  // per polygon, its first corner; one extra at the end
    // Per corner c of polygon p, the polygon across the edge from corner c to corner c + 1,
    // or -1.
    std::vector<int> across;
};

// From the polygons at each point, which the proposers gather beside other work.
PolygonEdges FindPolygonEdges(const MeshData &mesh, const geometry::PointPolygons &at);

// Half the length of Newell's vector: the area of a planar polygon, 0 for a line or a point.
double PolygonArea(const MeshData &mesh, const MeshPolygon &polygon);

// The edge from corner `corner` to the next, as a vector.
geometry::Vec3 EdgeVector(const MeshData &mesh, const MeshPolygon &polygon, std::size_t corner);
