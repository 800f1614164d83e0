#include "sets/normals_proposal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "host/scene/host_normals.h"
#include "sets/polygon_edges.h"
#include "sets/union_find.h"

using geometry::Vec3;

namespace {

// Corner normals this close are one normal, written twice.
constexpr double SameNormalDegrees = 0.1;
constexpr double OffDegrees = 5;
constexpr int MaxDegrees = 180;  // candidate angles are the whole degrees up to this

double Degrees(Vec3 a, Vec3 b) {
    return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) * 180 / std::numbers::pi;
}

// The authored normal at a corner, of unit length, or zero where there is none to use.
Vec3 AuthoredNormal(const MeshData &mesh, const MeshPolygon &polygon, std::size_t corner) {
    if (corner >= polygon.normalCorners.size()) return {};
    auto index = static_cast<std::size_t>(polygon.normalCorners[corner]);
    if (index >= mesh.normals.size()) return {};
    return Normalize(geometry::FromPoint(mesh.normals[index]));
}

bool SameNormal(Vec3 a, Vec3 b) {
    return Length(a) > 0 && Length(b) > 0 && Degrees(a, b) < SameNormalDegrees;
}

std::size_t CornerOf(const MeshPolygon &polygon, int point) {
    auto found = std::find(polygon.points.begin(), polygon.points.end(), point);
    return static_cast<std::size_t>(found - polygon.points.begin());
}

// Per candidate angle, how many corners end more than OffDegrees off, and by how much in all,
// kept as differences from the angle before so that each corner adds only where it changes.
struct AngleTally {
    std::array<int, MaxDegrees + 2> off{};
    std::array<double, MaxDegrees + 2> degrees{};
    void add(int from, int to, double difference) {
        off[from] += difference > OffDegrees;
        off[to] -= difference > OffDegrees;
        degrees[from] += difference;
        degrees[to] -= difference;
    }
};

// The least whole angle at which a neighbour at `dot` passes the test "dot > cos(angle)".
int PassingFrom(double dot) {
    int degrees = static_cast<int>(std::acos(std::clamp(dot, -1.0, 1.0)) * 180 / std::numbers::pi);
    auto passes = [dot](int angle) { return dot > std::cos(angle * std::numbers::pi / 180); };
    while (degrees > 0 && passes(degrees - 1)) --degrees;
    while (degrees <= MaxDegrees && !passes(degrees)) ++degrees;
    return degrees;
}

struct Neighbour {
    int from;  // the least angle that takes it
    Vec3 normal;
};

// Adds to `tally` how far the corner's smoothed normal is from `authored` at every angle.
void TallyCorner(Vec3 own, Vec3 authored, std::vector<Neighbour> &neighbours, AngleTally &tally) {
    std::sort(neighbours.begin(), neighbours.end(),
              [](const Neighbour &a, const Neighbour &b) { return a.from < b.from; });
    Vec3 sum = own;
    int from = 0;
    for (std::size_t i = 0; i <= neighbours.size(); ++i) {
        int to =
            i < neighbours.size() ? std::min(neighbours[i].from, MaxDegrees + 1) : MaxDegrees + 1;
        if (to > from) {
            tally.add(from, to, Degrees(Normalize(sum), authored));
            from = to;
        }
        if (i < neighbours.size()) sum += neighbours[i].normal;
    }
}

struct Choice {
    bool sameSetOnly = true;
    int degrees = 0;
    int off = 0;
    double total = 0;
};

Choice BestOf(const std::array<AngleTally, 2> &tallies) {
    Choice best{true, 0, -1, 0};
    for (int variant = 0; variant < 2; ++variant) {
        int off = 0;
        double total = 0;
        for (int degrees = 0; degrees <= MaxDegrees; ++degrees) {
            off += tallies[variant].off[degrees];
            total += tallies[variant].degrees[degrees];
            if (best.off < 0 || off < best.off || (off == best.off && total < best.total - 1e-9))
                best = {variant == 0, degrees, off, total};
        }
    }
    return best;
}

}  // namespace

bool HasAuthoredNormals(const MeshData &mesh, const std::optional<std::string> &surface) {
    if (mesh.normals.empty()) return false;
    return std::any_of(mesh.polygons.begin(), mesh.polygons.end(), [&](const MeshPolygon &p) {
        return !p.normalCorners.empty() && (!surface || p.surface == *surface);
    });
}

SetProposal ProposeSetsFromNormals(const MeshData &mesh,
                                   const std::optional<std::string> &surface) {
    const std::size_t count = mesh.polygons.size();
    geometry::HostShape shape = geometry::ComputeHostShape(mesh);
    PolygonEdges edges = FindPolygonEdges(mesh);
    std::vector<bool> admitted(count);
    for (std::size_t p = 0; p < count; ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        admitted[p] = Length(shape.polygon[p]) > 0 && PolygonArea(mesh, polygon) > 0 &&
                      polygon.normalCorners.size() == polygon.points.size() &&
                      (!surface || polygon.surface == *surface);
    }

    // Polygons join where both of an edge's points carry one normal on either side.
    UnionFind groups(count);
    for (std::size_t p = 0; p < count; ++p) {
        if (!admitted[p]) continue;
        const MeshPolygon &polygon = mesh.polygons[p];
        for (std::size_t c = 0; c < polygon.points.size(); ++c) {
            int q = edges.across[edges.firstCorner[p] + c];
            if (q < static_cast<int>(p) || !admitted[q]) continue;
            const MeshPolygon &other = mesh.polygons[q];
            std::size_t next = (c + 1) % polygon.points.size();
            if (SameNormal(AuthoredNormal(mesh, polygon, c),
                           AuthoredNormal(mesh, other, CornerOf(other, polygon.points[c]))) &&
                SameNormal(AuthoredNormal(mesh, polygon, next),
                           AuthoredNormal(mesh, other, CornerOf(other, polygon.points[next]))))
                groups.join(static_cast<int>(p), q);
        }
    }
    SetProposal proposal;
    proposal.setOf.assign(count, -1);
    std::vector<int> setOfRoot(count, -1);
    for (std::size_t p = 0; p < count; ++p) {
        if (!admitted[p]) continue;
        int &set = setOfRoot[groups.find(static_cast<int>(p))];
        if (set < 0) {
            set = static_cast<int>(proposal.sets.size());
            proposal.sets.push_back({});
        }
        proposal.setOf[p] = set;
    }

    // Every corner of every set, measured within its set and across sets at every angle.
    std::vector<std::array<AngleTally, 2>> tallies(proposal.sets.size());
    std::vector<int> measured(proposal.sets.size(), 0);
    std::array<std::vector<Neighbour>, 2> neighbours;
    for (std::size_t p = 0; p < count; ++p) {
        int set = proposal.setOf[p];
        if (set < 0) continue;
        const MeshPolygon &polygon = mesh.polygons[p];
        Vec3 own = shape.polygon[p];
        for (std::size_t c = 0; c < polygon.points.size(); ++c) {
            Vec3 authored = AuthoredNormal(mesh, polygon, c);
            if (!(Length(authored) > 0)) continue;
            int point = polygon.points[c];
            neighbours[0].clear();
            neighbours[1].clear();
            for (int i = shape.at.first[point]; i < shape.at.first[point + 1]; ++i) {
                int q = shape.at.polygons[i];
                if (q == static_cast<int>(p) || !(Length(shape.polygon[q]) > 0)) continue;
                Neighbour neighbour{PassingFrom(Dot(own, shape.polygon[q])), shape.polygon[q]};
                if (proposal.setOf[q] == set) neighbours[0].push_back(neighbour);
                neighbours[1].push_back(neighbour);
            }
            TallyCorner(own, authored, neighbours[0], tallies[set][0]);
            TallyCorner(own, authored, neighbours[1], tallies[set][1]);
            ++measured[set];
        }
    }
    for (std::size_t s = 0; s < proposal.sets.size(); ++s) {
        ProposedSet &set = proposal.sets[s];
        Choice best = BestOf(tallies[s]);
        set.kind = SetKind::normals;
        set.angleDegrees = best.degrees;
        set.sameSetOnly = best.sameSetOnly;
        set.cornersWithin = measured[s] ? double(measured[s] - best.off) / measured[s] : 1;
        set.reason = "the file's normals run on across its edges; " +
                     std::to_string(measured[s] - best.off) + " of " + std::to_string(measured[s]) +
                     " corners within 5 degrees of them";
    }
    NameSetsInOrder(proposal);
    return proposal;
}
