// The host's own view of a mesh's shape, worked out once per render: each polygon's normal
// and the smoothed normal at each polygon corner. The corners can also be worked out a range of
// polygons at a time, so that a large mesh's corner normals need never all exist at once. Either
// costs time in proportion to the corners, however many polygons share a point.
//
// The host smooths within a surface: at a point, a polygon takes the normals of the polygons
// of its own surface that share the point and meet it at less than the surface's smoothing
// angle. A surface without smoothing is shaded flat. This is what the host shows when a surface
// carries no shader, and the normal it hands a shader as wNorm0.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/scene/normal_cap_sums.h"
#include "host/scene/scene.h"
#include "host/scene/vec3.h"

namespace geometry {

// Maximum smoothing angles in degrees; 0 (or less) shades flat.
struct SmoothingAngles {
    double defaultDegrees = 0;  // for surfaces not in the map, and polygons without a surface
    std::map<std::string, double> degreesBySurface;
};

// The smoothing the object file gives each surface; `everySurfaceDegrees` replaces it for all.
SmoothingAngles SurfaceSmoothing(const ObjectFile &file,
                                 std::optional<double> everySurfaceDegrees = std::nullopt);

struct HostNormals {
    std::vector<Vec3> polygon;     // unit, or zero for a polygon without area
    std::vector<int> firstCorner;  // per polygon, its first entry in `corner`; one extra at the end
    std::vector<Vec3> corner;      // unit, or zero
};

// Newell's normal, which suits polygons of any size and takes the side that the polygon's
// corner order gives.
Vec3 PolygonNormal(const MeshData &mesh, const MeshPolygon &polygon);

HostNormals ComputeHostNormals(const MeshData &mesh, const SmoothingAngles &angles);

// The polygons at each point, each polygon once per point, in polygon order.
struct PointPolygons {
    std::vector<int> first;  // per point, its first entry in `polygons`; one extra at the end
    std::vector<int> polygons;
};

PointPolygons CollectPointPolygons(const MeshData &mesh);

// The normals of the polygons at a point shared by many, one set per surface, so that each
// polygon there finds its neighbours within its smoothing angle without walking them all.
struct CrowdedPoint {
    std::unordered_map<std::string_view, NormalCapSums> bySurface;  // views into the mesh's tags
    std::optional<NormalCapSums> withoutSurface;
};

// What every corner's smoothed normal is made of, for the whole mesh.
struct HostShape {
    std::vector<Vec3> polygon;  // as HostNormals::polygon
    PointPolygons at;
    std::unordered_map<int, CrowdedPoint> crowded;  // by point
};

HostShape ComputeHostShape(const MeshData &mesh);

// The smoothed normals at the corners of polygons [first, last), in polygon and then corner
// order; `corners` holds exactly that many.
void ComputeCornerNormals(const MeshData &mesh, const HostShape &shape,
                          const SmoothingAngles &angles, std::size_t first, std::size_t last,
                          std::span<Vec3> corners);

}  // namespace geometry
