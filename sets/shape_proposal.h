// Polygon sets proposed from an object's shape alone, within each surface.
//
// Polygons first join into patches: neighbours across an edge that lie in one plane. Patches then
// join into sets across two kinds of edge: the steps of a faceted round (the patches on both
// sides are alike in width and each turns by a similar angle at its opposite edge, so the edge
// is one of a ring of such steps around an axis) and the joints along a chamfer strip (both
// patches are narrow strips between larger regions). Gentle edges between patches of similar
// width join too, so that a finely divided surface stays whole. Every other edge is a crease
// between sets.
//
// Each set is then told by what it holds: one patch is a flat panel; strips make a chamfer; a
// round whose edges with flat panels turn less than its own facets is a fillet; other rounds
// are rounds, or freeform where they turn only gently. The settings follow the kind: a flat panel
// or a chamfer is smoothed within its set, so that it stays crisp; a round within its set at an
// angle just above the angle of its facets; a fillet at such an angle with its neighbours, so
// that it blends into the panels beside it while they stay flat.
//
// Sets alike in kind and settings are then joined where that changes no normal, and named within
// their surface (finished_proposal.h).
//
// Polygons without area and polygons of other surfaces join no set.
#pragma once

#include <optional>
#include <string>

#include "host/scene/scene.h"
#include "sets/proposed_sets.h"

// With `surface`, only that surface's polygons are proposed into sets.
SetProposal ProposeSetsFromShape(const MeshData &mesh,
                                 const std::optional<std::string> &surface = std::nullopt);
