// Creases that sets proposed from shape would put where the surface does not break, and the
// joins that take them away.
//
// A set smoothed within itself keeps its own normals at its border, so every border between two
// sets is a crease. That is right where the surface breaks, and wrong where it runs on:
// - an edge whose polygons meet nearly flat, where the normals on its two sides jump by more than
//   the surface turns there (a gentle fold between two panels, a panel beside a gently curved
//   region): a seam on a surface that the host's own smoothing shades smooth;
// - a border between two rounds or gently curved regions that turns no more than the larger of
//   their angles: one of them would have smoothed across it on its own, so the border only cuts a
//   round into terraces;
// - a border between two fillets within their angles, or between fillets and the round patch
//   they alone surround (the corner where the rounded edges of a box meet);
// - the border of a flat polygon that closes a round on its own, as the polygon at a pole does.
// The sets on both sides are joined into one, which takes the settings of the largest set of
// the kind that leads (a fillet, then a round or gently curved region, then any), at an angle
// that covers the borders it takes in. Joins go on, pass by pass, until no border calls for one.
// Chamfers, and flat panels beside anything but a round they close, stay as they are.
#pragma once

#include "host/scene/scene.h"
#include "sets/module_neighbourhood.h"
#include "sets/polygon_edges.h"
#include "sets/proposed_sets.h"

// What the joins read of the mesh. How far the surface turns at an edge is told by the normals
// the host shades polygons with (Newell's), which a person sees; what the module makes of it, by
// the module's own.
struct ShapeView {
    const ModuleNeighbourhood &module;
    const PolygonEdges &edges;
    const std::vector<geometry::Vec3> &shaded;  // per polygon
};

void JoinSetsAcrossFalseCreases(const MeshData &mesh, const ShapeView &view, SetProposal &proposal);
