#include "sets/false_creases.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>

#include "sets/normal_angles.h"
#include "sets/polygon_chunks.h"
#include "sets/set_footprints.h"
#include "sets/steepest_turns.h"
#include "sets/union_find.h"

namespace {

// Polygons closer than this meet nearly flat.
constexpr double NearlyFlatDegrees = 10;
// A jump of the normal across such an edge by more than both of these is a seam.
constexpr double JumpDegrees = 2, JumpShare = 0.75;
// A join's angle stays this far above the steepest turn it takes in.
constexpr double MarginDegrees = 5;
// The steepest a flat polygon closing a round may turn from it.
constexpr double MostCapDegrees = 50;
// Each pass joins every border that calls for it at once; a join can call for more only where
// the settings it gives a set reach across a border they did not reach before.
constexpr int MostPasses = 6;

bool IsSmoothKind(SetKind kind) {
    return kind == SetKind::round || kind == SetKind::fillet || kind == SetKind::freeform;
}

// What the module sums at one point of one polygon, with the proposal's settings.
class ModuleCorners {
  public:
    ModuleCorners(const ModuleNeighbourhood &neighbourhood, const SetProposal &proposal)
        : neighbourhood(neighbourhood), proposal(proposal) {
        for (const ProposedSet &set : proposal.sets)
            cosine.push_back(std::cos(set.angleDegrees * std::numbers::pi / 180));
        const std::size_t points = neighbourhood.around.first.size() - 1;
        evenAt.resize(points);
        ForEachChunk(points, PointsPerChunk, [&](std::size_t first, std::size_t last) {
            for (std::size_t point = first; point < last; ++point)
                evenAt[point] = IsEven(static_cast<int>(point));
        });
    }

    // Whether `polygon` takes in `other` at a point they share.
    bool takesIn(int polygon, int other) const {
        const int set = proposal.setOf[polygon];
        if (other == polygon) return true;
        if (proposal.sets[set].sameSetOnly && proposal.setOf[other] != set) return false;
        return Dot(neighbourhood.normal[polygon], neighbourhood.normal[other]) > cosine[set];
    }

    // Whether two polygons of one set take in the same polygons at `point`, and so get the same
    // normal there.
    bool takeInAlike(int p, int q, int point) const {
        if (evenAt[point]) return true;
        const geometry::PointPolygons &around = neighbourhood.around;
        for (int i = around.first[point]; i < around.first[point + 1]; ++i)
            if (takesIn(p, around.polygons[i]) != takesIn(q, around.polygons[i])) return false;
        return true;
    }

    // The steepest turn from `p` or `q` to a polygon of their set at `point`.
    double steepestInSetAt(int p, int q, int point) const {
        const geometry::PointPolygons &around = neighbourhood.around;
        double steepest = 0;
        for (int i = around.first[point]; i < around.first[point + 1]; ++i) {
            int other = around.polygons[i];
            if (proposal.setOf[other] != proposal.setOf[p]) continue;
            for (int own : {p, q})
                steepest = std::max(
                    steepest, Degrees(neighbourhood.normal[own], neighbourhood.normal[other]));
        }
        return steepest;
    }

    geometry::Vec3 normal(int polygon, int point) const {
        const std::vector<geometry::Vec3> &normals = neighbourhood.normal;
        const geometry::PointPolygons &around = neighbourhood.around;
        geometry::Vec3 sum = normals[polygon];
        for (int i = around.first[point]; i < around.first[point + 1]; ++i) {
            int other = around.polygons[i];
            if (other != polygon && takesIn(polygon, other)) sum += normals[other];
        }
        return Normalize(sum);
    }

  private:
    const ModuleNeighbourhood &neighbourhood;
    const SetProposal &proposal;
    std::vector<double> cosine;  // per set
    // Per point, whether every two polygons of one set there take each other in, so that all of
    // a set's polygons there take in the same ones: most points of a smooth surface.
    std::vector<char> evenAt;

    static constexpr std::size_t PointsPerChunk = 1 << 15;

    bool IsEven(int point) const {
        const geometry::PointPolygons &around = neighbourhood.around;
        const int first = around.first[point], last = around.first[point + 1];
        // A point shared by more is taken as uneven: its edges are looked at one by one.
        if (last - first > MostPolygonsCompared) return false;
        for (int i = first; i < last; ++i)
            for (int j = i + 1; j < last; ++j) {
                int p = around.polygons[i], q = around.polygons[j], set = proposal.setOf[p];
                if (set >= 0 && proposal.setOf[q] == set && !takesIn(p, q)) return false;
            }
        return true;
    }
};

struct Border {
    double steepestDegrees = 0;
    bool seam = false;
};

// What a pass finds: every border between two enabled sets, by the pair of sets, and per set
// with seams within it, the angle that would take them away.
struct Creases {
    std::unordered_map<std::uint64_t, Border> borders;
    std::unordered_map<int, double> angleWithoutSeams;

    void add(const Creases &more) {
        for (const auto &[pair, border] : more.borders) {
            Border &into = borders[pair];
            into.steepestDegrees = std::max(into.steepestDegrees, border.steepestDegrees);
            into.seam = into.seam || border.seam;
        }
        for (const auto &[set, angle] : more.angleWithoutSeams)
            angleWithoutSeams[set] = std::max(angleWithoutSeams[set], angle);
    }
};

std::uint64_t PairKey(int a, int b) {
    return std::uint64_t(std::min(a, b)) << 32 | std::uint32_t(std::max(a, b));
}

bool IsSeam(double jump, double turn) {
    return jump > JumpDegrees && jump > JumpShare * turn;
}

// The creases at the edges of polygons [first, last), each edge seen from its lower polygon.
void FindCreases(const MeshData &mesh, const ShapeView &view, const SetProposal &proposal,
                 const ModuleCorners &corners, int first, int last, Creases &found) {
    const ModuleNeighbourhood &neighbourhood = view.module;
    const PolygonEdges &edges = view.edges;
    auto inSet = [&](int polygon) {
        int set = proposal.setOf[polygon];
        return set >= 0 && proposal.sets[set].enabled;
    };
    for (int p = first; p < last; ++p) {
        if (!inSet(p)) continue;
        const std::vector<int> &points = mesh.polygons[p].points;
        const int set = proposal.setOf[p];
        for (int c = edges.firstCorner[p]; c < edges.firstCorner[p + 1]; ++c) {
            int q = edges.across[c];
            if (q < p || !inSet(q)) continue;
            const std::size_t corner = c - edges.firstCorner[p];
            const int ends[] = {points[corner], points[(corner + 1) % points.size()]};
            if (proposal.setOf[q] == set) {
                // Within a set smoothed within itself, two neighbours differ only where one takes
                // in a polygon of the set that the other leaves out.
                if (!proposal.sets[set].sameSetOnly) continue;
                for (int point : ends) {
                    if (corners.takeInAlike(p, q, point)) continue;
                    double turn = Degrees(view.shaded[p], view.shaded[q]);
                    if (!(turn < NearlyFlatDegrees) ||
                        !IsSeam(Degrees(corners.normal(p, point), corners.normal(q, point)), turn))
                        continue;
                    double &angle = found.angleWithoutSeams[set];
                    angle = std::max(angle, corners.steepestInSetAt(p, q, point));
                }
                continue;
            }
            Border &border = found.borders[PairKey(set, proposal.setOf[q])];
            border.steepestDegrees = std::max(
                border.steepestDegrees, Degrees(neighbourhood.normal[p], neighbourhood.normal[q]));
            double turn = Degrees(view.shaded[p], view.shaded[q]);
            if (border.seam || !(turn < NearlyFlatDegrees)) continue;
            for (int point : ends)
                if (IsSeam(Degrees(corners.normal(p, point), corners.normal(q, point)), turn))
                    border.seam = true;
        }
    }
}

// Every polygon's edges on every core, a chunk of polygons at a time.
Creases CreasesOf(const MeshData &mesh, const ShapeView &view, const SetProposal &proposal) {
    const ModuleCorners corners(view.module, proposal);
    const std::size_t count = mesh.polygons.size();
    std::vector<Creases> ofChunk(ChunkCount(count, PolygonsPerChunk));
    ForEachChunk(count, PolygonsPerChunk, [&](std::size_t first, std::size_t last) {
        FindCreases(mesh, view, proposal, corners, static_cast<int>(first), static_cast<int>(last),
                    ofChunk[first / PolygonsPerChunk]);
    });
    Creases found;
    for (const Creases &chunk : ofChunk) found.add(chunk);
    return found;
}

// Which sets each set borders, as far as the joins ask.
struct Neighbours {
    int count = 0;
    bool onlyFillets = true;
};

std::vector<Neighbours> NeighboursOf(const std::unordered_map<std::uint64_t, Border> &borders,
                                     const SetProposal &proposal) {
    std::vector<Neighbours> neighbours(proposal.sets.size());
    for (const auto &[pair, border] : borders) {
        int a = static_cast<int>(pair >> 32), b = static_cast<int>(pair & 0xffffffffu);
        for (auto [set, other] : {std::pair(a, b), std::pair(b, a)}) {
            ++neighbours[set].count;
            neighbours[set].onlyFillets &= proposal.sets[other].kind == SetKind::fillet;
        }
    }
    return neighbours;
}

bool IsSmoothWithin(SetKind kind) {
    return kind == SetKind::round || kind == SetKind::freeform;
}

// Whether the border between `a` and `b` is no break of the surface, with `a` the one that ranks
// higher to lead.
bool RunsOn(const Border &border, const ProposedSet &a, const ProposedSet &b,
            const Neighbours &bNeighbours) {
    const bool withinAngles = border.steepestDegrees <= std::max(a.angleDegrees, b.angleDegrees);
    // Terraces of one round, or fillets that meet.
    if ((IsSmoothWithin(a.kind) && IsSmoothWithin(b.kind)) ||
        (a.kind == SetKind::fillet && b.kind == SetKind::fillet))
        return withinAngles;
    // The corner patch where fillets meet.
    if (a.kind == SetKind::fillet && IsSmoothWithin(b.kind))
        return withinAngles && bNeighbours.onlyFillets;
    // A flat that closes a round, as a pole's polygon does.
    if (IsSmoothWithin(a.kind) && b.kind == SetKind::flat)
        return bNeighbours.count == 1 && border.steepestDegrees <= MostCapDegrees;
    return false;
}

// How a set ranks to lead a group: a fillet first, as its borders with the panels it blends into
// need its settings; then the other smooth kinds; then the rest.
int Rank(SetKind kind) {
    return kind == SetKind::fillet ? 2 : IsSmoothKind(kind) ? 1 : 0;
}

// The set whose settings a group takes: the largest of the highest rank.
bool LeadsOver(const ProposedSet &a, const SetFootprint &atA, const ProposedSet &b,
               const SetFootprint &atB) {
    if (Rank(a.kind) != Rank(b.kind)) return Rank(a.kind) > Rank(b.kind);
    if (atA.polygons != atB.polygons) return atA.polygons > atB.polygons;
    return atA.firstPolygon < atB.firstPolygon;
}

// A set's angle rises to take in the polygons that make a seam within it up to this angle, below
// the host's own usual smoothing angle: beyond, it would smooth creases the host keeps.
constexpr double MostAngleWithoutSeams = 89;

// Raises the angle of each set with seams within it so far as takes them away; whether any was.
bool RaiseAngles(const std::unordered_map<int, double> &angleWithoutSeams, SetProposal &proposal) {
    bool raised = false;
    for (const auto &[set, seamless] : angleWithoutSeams) {
        double angle = std::min(std::ceil(seamless) + 1, MostAngleWithoutSeams);
        if (angle <= proposal.sets[set].angleDegrees) continue;
        proposal.sets[set].angleDegrees = angle;
        raised = true;
    }
    return raised;
}

// A set smoothed within itself that grew takes in all its polygons at each corner, as the sets
// it grew from did (shape_proposal.h).
void CoverTurnsAtPoints(const ModuleNeighbourhood &neighbourhood, const std::vector<bool> &grew,
                        SetProposal &proposal) {
    const std::vector<double> turns =
        SteepestTurnsAtPoints(neighbourhood, proposal.setOf, proposal.sets.size());
    for (std::size_t set = 0; set < proposal.sets.size(); ++set) {
        ProposedSet &group = proposal.sets[set];
        if (grew[set] && group.sameSetOnly && IsSmoothKind(group.kind))
            group.angleDegrees =
                std::max(group.angleDegrees,
                         std::ceil(TurnCovered(group.angleDegrees - MarginDegrees, turns[set])) +
                             MarginDegrees);
    }
}

// One pass: whether any sets were joined or any angle raised.
bool JoinOnce(const MeshData &mesh, const ShapeView &view, SetProposal &proposal) {
    const int count = static_cast<int>(proposal.sets.size());
    UnionFind joined(proposal.sets.size());
    std::vector<std::pair<int, double>> takenIn;  // a set joined, and its border's steepest turn
    const Creases creases = CreasesOf(mesh, view, proposal);
    const auto &borders = creases.borders;
    const bool raised = RaiseAngles(creases.angleWithoutSeams, proposal);
    const std::vector<Neighbours> neighbours = NeighboursOf(borders, proposal);
    for (const auto &[pair, border] : borders) {
        int a = static_cast<int>(pair >> 32), b = static_cast<int>(pair & 0xffffffffu);
        if (Rank(proposal.sets[b].kind) > Rank(proposal.sets[a].kind)) std::swap(a, b);
        if (!border.seam && !RunsOn(border, proposal.sets[a], proposal.sets[b], neighbours[b]))
            continue;
        joined.join(a, b);
        takenIn.emplace_back(a, border.steepestDegrees);
    }
    if (takenIn.empty()) return raised;

    // Per group, by its least member: the set that leads it and the angle it needs.
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::vector<int> leader(count, -1);
    for (int set = 0; set < count; ++set) {
        int &lead = leader[joined.find(set)];
        if (lead < 0 ||
            LeadsOver(proposal.sets[set], footprints[set], proposal.sets[lead], footprints[lead]))
            lead = set;
    }
    // A group smoothed across sets keeps to the angles of its members smoothed so, which reach
    // no further than their own steps; one smoothed within itself takes the greatest.
    std::vector<double> angle(count, 0);
    for (int set = 0; set < count; ++set) {
        int root = joined.find(set);
        const ProposedSet &member = proposal.sets[set];
        if (!member.sameSetOnly || proposal.sets[leader[root]].sameSetOnly)
            angle[root] = std::max(angle[root], member.angleDegrees);
    }
    for (auto [set, degrees] : takenIn) {
        double &group = angle[joined.find(set)];
        group = std::max(group, std::ceil(degrees) + MarginDegrees);
    }
    std::vector<int> renumbered(count, -1);
    std::vector<ProposedSet> sets;
    std::vector<bool> grew;
    for (int set = 0; set < count; ++set) {
        int root = joined.find(set);
        if (root != set) {
            grew[renumbered[root]] = true;
            continue;
        }
        renumbered[set] = static_cast<int>(sets.size());
        sets.push_back(proposal.sets[leader[set]]);
        sets.back().angleDegrees = angle[set];
        grew.push_back(false);
    }
    for (int set = 0; set < count; ++set) renumbered[set] = renumbered[joined.find(set)];
    RenumberSets(proposal, std::move(sets), renumbered);
    CoverTurnsAtPoints(view.module, grew, proposal);
    return true;
}

}  // namespace

void JoinSetsAcrossFalseCreases(const MeshData &mesh, const ShapeView &view,
                                SetProposal &proposal) {
    for (int pass = 0; pass < MostPasses; ++pass)
        if (!JoinOnce(mesh, view, proposal)) return;
}
