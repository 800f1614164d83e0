// Where each proposed set lies in its mesh: its surface, its first polygon and its size. The
// passes that join, limit and name a proposer's sets all order and group them by these.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "sets/proposed_sets.h"

struct SetFootprint {
    std::string surface;  // of its polygons; a proposer keeps each set within one surface
    int firstPolygon = -1;
    std::size_t polygons = 0;
};

// Per set of `proposal`, in its order.
std::vector<SetFootprint> FootprintsOf(const MeshData &mesh, const SetProposal &proposal);
