// Parts turned on a lathe, described by their profile: the heights and radii the tool passes
// through, each band between two of them in the polygon set the later one names.
#pragma once

#include <string>
#include <vector>

#include "examples/ring_mesh.h"

struct ProfileStep {
    double radius, y;
    std::string part;  // of the band that ends here; the first step's part is unused
};

// One ring of `slots` points per profile step, the bands between them in their sets, closed below
// by a base and above by a fan to the axis, `apexRise` above the last step.
MeshData Turned(int slots, const std::vector<ProfileStep> &profile, const std::string &base,
                const std::string &top, const std::string &surface, double apexRise = 0);

// The point at `degrees` round a circle about (centreRadius, centreY) in the profile plane.
ProfileStep OnArc(double centreRadius, double centreY, double radius, double degrees,
                  std::string part);
