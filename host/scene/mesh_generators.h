// Test meshes for the stand-in scene. Points are welded unless said otherwise; every polygon gets
// the surface and polygon set (PART tag) given, which callers may retag afterwards.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/scene/scene.h"

struct MeshTags {
    std::optional<std::string> surface = "Default";
    std::optional<std::string> part;
};

// Quads over the unit square in the z = 0 plane, `columns` × `rows` of them, counter-clockwise
// seen from +z. Point (i, j) has index j * (columns + 1) + i.
MeshData MakeGrid(int columns, int rows, const MeshTags &tags = {});

// The grid above bent about the line x = 0.5 by `foldRadians` (each half tilts by half of it).
MeshData MakeFoldedGrid(int columns, int rows, double foldRadians, const MeshTags &tags = {});

// A unit cube centred at the origin: 8 points, 6 outward-facing quads.
MeshData MakeBox(const MeshTags &tags = {});

// An open cylinder along z of radius 1 and height 1, `segments` around and `rings` high, with
// n-gon caps when `capped`.
MeshData MakeCylinder(int segments, int rings, bool capped, const MeshTags &tags = {});

// A torus of quads, `major` × `minor` segments. The quads fall into `setCount` bands along the
// major direction, tagged "band0", "band1", ...; odd bands carry the surface "Other".
MeshData MakeTorus(int major, int minor, int setCount);

// Two flat quads sharing the edge x = 0 in position only: the seam's points are not welded.
// With `bend`, the right quad tilts so that the seam is a crease of that angle.
MeshData MakeUnweldedSeam(double bendRadians);

// Odd polygons: one n-gon (`sides` corners, facing +z), a line, a one-point polygon, a quad using
// one point twice, a polygon whose corners are collinear and one whose corners coincide, all
// sharing point 0.
MeshData MakeOddPolygons(int sides);

// Appends `piece` to `mesh`, renumbering its points: the two share nothing.
void AppendMesh(MeshData &mesh, const MeshData &piece);

void TagAll(MeshData &mesh, const MeshTags &tags);

std::shared_ptr<ObjectFile> MakeObjectFile(std::string filename, MeshData mesh);
