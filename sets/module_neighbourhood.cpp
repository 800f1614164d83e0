#include "sets/module_neighbourhood.h"

#include "host/scene/geometric_normal.h"

ModuleNeighbourhood ModuleNeighbourhoodOf(const MeshData &mesh) {
    ModuleNeighbourhood neighbourhood{{}, geometry::CollectPointPolygons(mesh)};
    for (const MeshPolygon &polygon : mesh.polygons)
        neighbourhood.normal.push_back(geometry::GeometricNormal(mesh, polygon));
    return neighbourhood;
}
