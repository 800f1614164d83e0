// Polygon sets made from the normals an object carries from the package it was made in (OBJ
// `vn`): polygons join across an edge where the corners on both sides give the same normals at
// both of its points, so that every set is a region those normals shade without a break.
//
// Each set gets the settings with which smoothing within a set or across sets, at one angle,
// comes closest to the authored normals at its corners: the fewest corners more than 5 degrees
// off, then the least mean difference, then the smallest angle, within the set before across.
// Candidates are measured with the module's rule of smoothing: a corner averages the unit
// normals of the polygons at its point that meet its own at less than the angle, unweighted,
// each polygon's normal taken through its corners 0, 1 and n-1. The host's rule is the same but
// for the polygon normal (Newell's), which differs on polygons whose corners are not in a plane.
//
// Sets alike in settings are then joined where that changes no normal, so that a surface gets
// about one set per distinct setting rather than one per region, and named within their surface
// (finished_proposal.h).
//
// Polygons without area, polygons without authored normals at every corner, polygons none of
// whose authored normals has a direction and polygons of other surfaces join no set; a corner
// whose authored normal is zero or not finite neither joins nor is measured, and the proposal
// counts it.
#pragma once

#include <optional>
#include <string>

#include "host/scene/scene.h"
#include "sets/proposed_sets.h"

// Whether the polygons of the mesh (of `surface`, when given) carry authored normals, and
// whether any of those has a direction: a file may carry only zero or non-finite ones.
enum class AuthoredNormals { none, unusable, usable };
AuthoredNormals AuthoredNormalsOf(const MeshData &mesh,
                                  const std::optional<std::string> &surface = std::nullopt);

SetProposal ProposeSetsFromNormals(const MeshData &mesh,
                                   const std::optional<std::string> &surface = std::nullopt);
