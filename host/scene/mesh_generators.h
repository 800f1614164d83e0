// Test meshes for the stand-in scene. Points are welded unless said otherwise; every polygon gets
// the surface and polygon set (PART tag) given, which callers may retag afterwards.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

// A unit cube centred at the origin: 8 points (bit 0 of a point's index sets x, bit 1 y, bit 2
// z), 6 outward-facing quads, the top and the bottom (+y, -y) first.
MeshData MakeBox(const MeshTags &tags = {});

// An open cylinder along z of radius 1 and height 1, `segments` around and `rings` high, with
// n-gon caps (the top first) when `capped`. Points go up one segment's line after another: point
// (i, j) of segment i and ring j has index i * (rings + 1) + j.
MeshData MakeCylinder(int segments, int rings, bool capped, const MeshTags &tags = {});

// The capped cylinder above standing on the y axis, `sides` quads around (set "side") and two
// caps (set "cap"), every polygon of surface "Body" and facing outwards.
MeshData MakeTwoSetCylinder(int sides, float radius, float height);

// A sphere around the y axis of quads between `rings` rings of latitude and triangles at the
// poles, of surface "Body" and facing outwards; the polygons above the equator form the set
// "north", the others "south".
MeshData MakeTwoSetSphere(int rings, int segments, float radius);

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

// A mesh of the given points and polygons (corner indices), without tags.
MeshData MakeMesh(std::vector<std::array<float, 3>> points, std::vector<std::vector<int>> polygons);

// Appends `piece` to `mesh`, renumbering its points: the two share nothing.
void AppendMesh(MeshData &mesh, const MeshData &piece);

void TagAll(MeshData &mesh, const MeshTags &tags);

std::shared_ptr<ObjectFile> MakeObjectFile(std::string filename, MeshData mesh);

// An item named `name` showing the file `name`.lwo, whose one surface is "Body", smoothed at
// the host's default angle.
ObjectItem MakeObjectItem(const std::string &name, MeshData mesh);
