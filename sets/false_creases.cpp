#include "sets/false_creases.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>

#include "sets/normal_angles.h"
#include "sets/set_footprints.h"
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
constexpr int MostPasses = 4;

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
    }

    geometry::Vec3 normal(int polygon, int point) const {
        const std::vector<geometry::Vec3> &normals = neighbourhood.normal;
        const geometry::PointPolygons &around = neighbourhood.around;
        const int set = proposal.setOf[polygon];
        const bool sameSetOnly = proposal.sets[set].sameSetOnly;
        geometry::Vec3 sum = normals[polygon];
        for (int i = around.first[point]; i < around.first[point + 1]; ++i) {
            int other = around.polygons[i];
            if (other == polygon || (sameSetOnly && proposal.setOf[other] != set)) continue;
            if (Dot(normals[polygon], normals[other]) > cosine[set]) sum += normals[other];
        }
        return Normalize(sum);
    }

  private:
    const ModuleNeighbourhood &neighbourhood;
    const SetProposal &proposal;
    std::vector<double> cosine;  // per set
};

struct Border {
    double steepestDegrees = 0;
    bool seam = false;
};

std::uint64_t PairKey(int a, int b) {
    return std::uint64_t(std::min(a, b)) << 32 | std::uint32_t(std::max(a, b));
}

// Every border between two enabled sets, by the pair of sets.
std::unordered_map<std::uint64_t, Border> BordersOf(const MeshData &mesh,
                                                    const ModuleNeighbourhood &neighbourhood,
                                                    const PolygonEdges &edges,
                                                    const SetProposal &proposal) {
    const ModuleCorners corners(neighbourhood, proposal);
    auto inSet = [&](int polygon) {
        int set = proposal.setOf[polygon];
        return set >= 0 && proposal.sets[set].enabled;
    };
    std::unordered_map<std::uint64_t, Border> borders;
    for (int p = 0; p < static_cast<int>(mesh.polygons.size()); ++p) {
        if (!inSet(p)) continue;
        const std::vector<int> &points = mesh.polygons[p].points;
        for (int c = edges.firstCorner[p]; c < edges.firstCorner[p + 1]; ++c) {
            int q = edges.across[c];
            if (q < p || !inSet(q) || proposal.setOf[q] == proposal.setOf[p]) continue;
            const geometry::Vec3 &np = neighbourhood.normal[p], &nq = neighbourhood.normal[q];
            double turn = Degrees(np, nq);
            Border &border = borders[PairKey(proposal.setOf[p], proposal.setOf[q])];
            border.steepestDegrees = std::max(border.steepestDegrees, turn);
            std::size_t corner = c - edges.firstCorner[p];
            if (border.seam || !(turn < NearlyFlatDegrees)) continue;
            for (int point : {points[corner], points[(corner + 1) % points.size()]}) {
                double jump = Degrees(corners.normal(p, point), corners.normal(q, point));
                if (jump > JumpDegrees && jump > JumpShare * turn) border.seam = true;
            }
        }
    }
    return borders;
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

// One pass: whether any sets were joined.
bool JoinOnce(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
              const PolygonEdges &edges, SetProposal &proposal) {
    const int count = static_cast<int>(proposal.sets.size());
    UnionFind joined(proposal.sets.size());
    std::vector<std::pair<int, double>> takenIn;  // a set joined, and its border's steepest turn
    const auto borders = BordersOf(mesh, neighbourhood, edges, proposal);
    const std::vector<Neighbours> neighbours = NeighboursOf(borders, proposal);
    for (const auto &[pair, border] : borders) {
        int a = static_cast<int>(pair >> 32), b = static_cast<int>(pair & 0xffffffffu);
        if (Rank(proposal.sets[b].kind) > Rank(proposal.sets[a].kind)) std::swap(a, b);
        if (!border.seam && !RunsOn(border, proposal.sets[a], proposal.sets[b], neighbours[b]))
            continue;
        joined.join(a, b);
        takenIn.emplace_back(a, border.steepestDegrees);
    }
    if (takenIn.empty()) return false;

    // Per group, by its least member: the set that leads it and the angle it needs.
    const std::vector<SetFootprint> footprints = FootprintsOf(mesh, proposal);
    std::vector<int> leader(count, -1);
    std::vector<double> angle(count, 0);
    for (int set = 0; set < count; ++set) {
        int root = joined.find(set);
        int &lead = leader[root];
        if (lead < 0 ||
            LeadsOver(proposal.sets[set], footprints[set], proposal.sets[lead], footprints[lead]))
            lead = set;
        angle[root] = std::max(angle[root], proposal.sets[set].angleDegrees);
    }
    for (auto [set, degrees] : takenIn) {
        double &group = angle[joined.find(set)];
        group = std::max(group, std::ceil(degrees) + MarginDegrees);
    }
    std::vector<int> renumbered(count, -1);
    std::vector<ProposedSet> sets;
    for (int set = 0; set < count; ++set) {
        if (joined.find(set) != set) continue;
        renumbered[set] = static_cast<int>(sets.size());
        sets.push_back(proposal.sets[leader[set]]);
        sets.back().angleDegrees = angle[set];
    }
    for (int set = 0; set < count; ++set) renumbered[set] = renumbered[joined.find(set)];
    RenumberSets(proposal, std::move(sets), renumbered);
    return true;
}

}  // namespace

void JoinSetsAcrossFalseCreases(const MeshData &mesh, const ModuleNeighbourhood &neighbourhood,
                                const PolygonEdges &edges, SetProposal &proposal) {
    for (int pass = 0; pass < MostPasses; ++pass)
        if (!JoinOnce(mesh, neighbourhood, edges, proposal)) return;
}
