// For tests and benchmarks of the proposers: a mesh given normals of its own, as a modelling
// package writes them out.
#pragma once

#include "host/scene/host_normals.h"
#include "host/scene/scene.h"

// Gives every corner the normal the host smooths there at `degrees`, each its own entry.
inline void AuthorNormals(MeshData &mesh, double degrees) {
    geometry::HostNormals host = geometry::ComputeHostNormals(mesh, {degrees, {}});
    mesh.normals.clear();
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        MeshPolygon &polygon = mesh.polygons[p];
        polygon.normalCorners.clear();
        for (int corner = host.firstCorner[p]; corner < host.firstCorner[p + 1]; ++corner) {
            geometry::Vec3 n = host.corner[corner];
            polygon.normalCorners.push_back(static_cast<int>(mesh.normals.size()));
            mesh.normals.push_back({float(n.x), float(n.y), float(n.z)});
        }
    }
}
