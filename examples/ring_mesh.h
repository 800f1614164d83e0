// Objects shaped as a stack of rings around the y axis, the way a lathe or a profile sweep makes
// them: every ring has the same number of points ("slots"), and neighbouring rings are stitched
// by quads slot to slot. Machined parts are mostly made this way, and it keeps the mesh welded
// and closed without any search for shared points.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/scene/vec3.h"

using geometry::Vec3;

struct RingStack {
    // Slots run around each ring counter-clockwise seen from +y (from +x towards -z), so that
    // the band from one ring to the next faces to the left of the way the rings go: outwards
    // when they climb an outer wall, upwards when they walk inwards over a top.
    std::vector<std::vector<Vec3>> rings;
    // The polygon set of the quad between slot s and s+1 of the band starting at ring r.
    std::function<std::string(int ring, int slot)> partOf;
    std::string bottomPart;  // the polygon that closes the first ring from below
    std::string apexPart;    // the triangles that close the last ring at `apex`
    Vec3 apex;
};

// Every polygon carries `surface`. The first ring is closed by one polygon, the last by a fan.
MeshData StitchRings(const RingStack &stack, const std::string &surface);

// A point at height y in the direction `angle` around the y axis (0 = +x, growing towards -z).
Vec3 AtAngle(double angle, double radius, double y);

// A ring of points at height y, one in each direction of `angles`.
std::vector<Vec3> Circle(const std::vector<double> &angles, double radius, double y);
