// Polygon sets proposed for an object that has none, each with the settings proposed for it.
// The proposers know nothing of the module: a proposal is plain data that whoever opens the
// object turns into PART tags and into requests to the module's options dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"

enum class SetKind {
    flat,      // a planar panel, kept flat
    chamfer,   // a narrow strip between two larger regions, kept crisp against them
    round,     // facets turning about an axis, smoothed within the set
    fillet,    // a round that meets flat panels tangentially, and blends into them
    freeform,  // gently curved polygons without a ring structure
    normals,   // polygons that the object's own normals smooth together
};

// "Flat", "Chamfer", ...: the word that names a set of that kind.
const char *SetKindName(SetKind kind);
// "Flats", "Chamfers", ...: the name of the one set of that kind on a surface.
std::string SetKindPlural(SetKind kind);

struct ProposedSet {
    std::string name;  // "Round 1 (Steel)", "Chamfers (Steel)", ...
    SetKind kind = SetKind::flat;
    std::string reason;  // why the polygons were put together, for a person to read
    bool enabled = true;
    double angleDegrees = 0;
    bool sameSetOnly = true;
    // How closely the settings reproduce what the set was made from, where that is known: the
    // share of corners within 5 degrees of it, from 0 to 1, of the corners measured; negative
    // when not measured.
    double cornersWithin = -1;
    int cornersMeasured = 0;
    bool operator==(const ProposedSet &) const = default;
};

// How a report shows a proposed set: its kind, why, and how close it came ("Smooth, the file's
// normals run on across its edges; 39 of 40 corners (97.5%) within 5 degrees of the object's
// normals").
std::string ProposedSetSummary(const ProposedSet &set);

struct SetProposal {
    std::vector<ProposedSet> sets;
    // Per polygon of the mesh, an index into `sets`, or -1 for a polygon left out: one of another
    // surface, or one without area (a line, a point, collinear or coinciding corners); or
    // LeftToHost for one whose set did not fit on its surface (sets_per_surface.h).
    std::vector<int> setOf;
    // Corners the proposal could not measure: those whose normal in the file is zero or not
    // finite.
    int cornersUnmeasured = 0;
};

constexpr int LeftToHost = -2;

// How close the sets come over all their corners measured ("1207 of 1240 corners (97.3%) within 5
// degrees of the object's normals"), and how many could not be measured, or empty where none was
// measured.
std::string ProposalCloseness(const SetProposal &proposal);

// The proposed set of that name, or nullptr.
const ProposedSet *ProposedSetNamed(const SetProposal &proposal, const std::string &name);

// Gives each polygon proposed into a set that set's name as its PART tag, and takes it from every
// other polygon of the surface proposed for (of every surface, when none is given): one left to
// the host or without area joins no set, not the one its old tag named. Polygons of other
// surfaces keep theirs.
void ApplyProposal(MeshData &mesh, const SetProposal &proposal,
                   const std::optional<std::string> &surface = std::nullopt);

// Replaces the sets by `sets`: a polygon of set s goes to set renumbered[s], which may be
// LeftToHost; a polygon in no set stays so.
void RenumberSets(SetProposal &proposal, std::vector<ProposedSet> sets,
                  const std::vector<int> &renumbered);

// Orders the sets by surface (in the order of each surface's first polygon), then by kind, then
// by first polygon, and names them within their surface: "Rounds (Steel)" where surface "Steel"
// has one round, "Round 1 (Steel)", "Round 2 (Steel)", ... where it has several.
//
// The surface's name is always there because PART tags name sets for the whole object, while
// their settings live in each surface's shader block: the module counts a neighbour of another
// surface with the same tag as of the same set, and a request for a name reaches every surface
// holding it. A surface named only where names collide would rename one surface's sets whenever
// another surface's changed. It comes last so that a name still starts with its kind
// (`--set 'Chamfer*:off'`), and no two surfaces can give the same name, as a kind's words hold no
// parenthesis.
void NameSetsBySurface(const MeshData &mesh, SetProposal &proposal);
