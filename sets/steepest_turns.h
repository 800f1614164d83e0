// The steepest turn within each set between two of its polygons that share a point: what the
// angle of a set smoothed as one surface must cover, so that every corner takes in all of its
// set's polygons at its point. Polygons meeting at a corner only turn more than those meeting at
// an edge: across the diagonal of a quad on a ball, about both axes at once.
#pragma once

#include <cstddef>
#include <vector>

#include "sets/module_neighbourhood.h"

// Per set, in degrees, by the module's normals; 0 for a set all in one plane. A point shared by
// more polygons than this (the apex of a fan) is passed over, which keeps the work in
// proportion to the corners.
constexpr int MostPolygonsCompared = 16;
std::vector<double> SteepestTurnsAtPoints(const ModuleNeighbourhood &neighbourhood,
                                          const std::vector<int> &setOf, std::size_t sets);

// The turn a smoothed set's angle covers, of a set whose polygons turn by up to `edgeDegrees`
// across an edge and `pointDegrees` at a shared point. Across a corner a surface curved both ways
// turns by up to about 1.4 times its steps; a steeper turn there is a knife edge or a point where
// a thin part closes, which no smoothing should reach across, nor should any reach as far as the
// host's own usual angle.
double TurnCovered(double edgeDegrees, double pointDegrees);
