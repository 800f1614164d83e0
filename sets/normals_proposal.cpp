#include "sets/normals_proposal.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <span>
#include <utility>

#include "host/scene/geometric_normal.h"
#include "host/scene/host_normals.h"
#include "sets/finished_proposal.h"
#include "sets/normal_angles.h"
#include "sets/polygon_chunks.h"
#include "sets/polygon_edges.h"
#include "sets/sort_few.h"
#include "sets/union_find.h"

using geometry::Vec3;

namespace {

// Corner normals this close are one normal, written twice.
constexpr double SameNormalDegrees = 0.1;
constexpr double OffDegrees = 5;
constexpr int MaxDegrees = 180;  // candidate angles are the whole degrees up to this
// Polygons per chunk of the work on every polygon that is shared out over the cores.

// Made once, before any proposal runs, so that the functions using them are inlined with no
// check whether they are made yet.
const LessThanDegrees WithinSameNormal(SameNormalDegrees), WithinOff(OffDegrees);
const std::array<double, MaxDegrees + 1> CandidateCosines = [] {
    std::array<double, MaxDegrees + 1> table{};
    for (int angle = 0; angle <= MaxDegrees; ++angle)
        table[angle] = std::cos(angle * std::numbers::pi / 180);
    return table;
}();

// Per corner, the index of the authored normal the file gives it, or -1 where it gives none.
int FileNormalIndex(const MeshData &mesh, const MeshPolygon &polygon, std::size_t corner) {
    if (corner >= polygon.normalCorners.size()) return -1;
    auto index = static_cast<std::size_t>(polygon.normalCorners[corner]);
    return index < mesh.normals.size() ? static_cast<int>(index) : -1;
}

// How many of the polygon's corners carry an authored normal with a direction.
std::size_t CornersWithUsableNormals(const MeshData &mesh, const MeshPolygon &polygon) {
    std::size_t usable = 0;
    for (std::size_t c = 0; c < polygon.points.size(); ++c) {
        int index = FileNormalIndex(mesh, polygon, c);
        usable += index >= 0 && HasDirection(geometry::FromPoint(mesh.normals[index]));
    }
    return usable;
}

// Length(v) > 0, without the square root.
bool NonZero(Vec3 v) {
    return Dot(v, v) > 0;
}

// Whether two corners carry one normal, from the normals as the file gives them: normalized,
// they would be one when neither is zero and they meet within SameNormalDegrees.
bool SameFileNormal(Vec3 a, Vec3 b) {
    // Most corners that share a normal share it exactly, when not its entry in the file.
    return a == b ? HasDirection(a) : WithinSameNormal.OfAnyLength(a, b);
}

// How far a corner's smoothed normal ends from the authored one: whether more than OffDegrees,
// and one less their cosine. Summed over corners, the latter ranks settings that leave as many
// corners off; it grows with the angle, as the angle itself would, and costs no arc cosine.
struct Deviation {
    bool off;
    double apart;
};

inline Deviation DeviationOf(Vec3 smoothed, Vec3 authored) {
    double dot = Dot(smoothed, authored);
    return {WithinOff.MoreThan(dot, smoothed, authored), 1 - std::clamp(dot, -1.0, 1.0)};
}

// Per candidate angle, how many corners end more than OffDegrees off, and how far apart in all,
// kept as differences from the angle before so that each corner adds only where it changes.
struct AngleTally {
    std::array<int, MaxDegrees + 2> off{};
    std::array<double, MaxDegrees + 2> apart{};
    void add(int from, int to, Deviation deviation) {
        off[from] += deviation.off;
        off[to] -= deviation.off;
        apart[from] += deviation.apart;
        apart[to] -= deviation.apart;
    }
};

// The least whole angle at which a neighbour at `dot` passes the test "dot > cos(angle)", or
// MaxDegrees + 1 when none does. The cosines fall as the angle grows, so the first that the
// dot product exceeds is found by halving.
int PassingFrom(double dot) {
    const std::array<double, MaxDegrees + 1> &cosines = CandidateCosines;
    // Most neighbours on a smooth surface pass within a few degrees.
    constexpr int Few = 4;
    if (dot > cosines[Few]) {
        int angle = 0;
        while (!(dot > cosines[angle])) ++angle;
        return angle;
    }
    auto first = std::partition_point(cosines.begin(), cosines.end(),
                                      [dot](double cosine) { return !(dot > cosine); });
    return static_cast<int>(first - cosines.begin());
}

// Each polygon's normal, as the module takes it (through corners 0, 1 and n-1, which differs
// from the host's Newell normal where a polygon's corners are not in one plane), and the polygons
// at each point: what a corner's smoothed normal is made of. A polygon is admitted to a set when
// it has area (its Newell normal is non-zero and finite), a normal at every corner, one of them
// with a direction, and is of the surface asked for; the corners without one, of polygons that
// have the rest, are counted. With them, the polygons' edges, and every corner's point and authored
// normal in lists of their own, which the proposal walks many times over.
struct MeshShape {
    std::vector<Vec3> polygon;
    std::vector<char> admitted;
    geometry::PointPolygons at;
    PolygonEdges edges;
    std::vector<int> point;       // per corner
    std::vector<int> fileNormal;  // per corner, as FileNormalIndex
    std::atomic<int> unusableCorners = 0;

    MeshShape(const MeshData &mesh, const std::optional<std::string> &surface)
        : polygon(mesh.polygons.size()), admitted(mesh.polygons.size()) {
        ForEachChunkBeside([&] { at = geometry::CollectPointPolygons(mesh); }, mesh.polygons.size(),
                           PolygonsPerChunk,
                           [&](std::size_t first, std::size_t last) {
                               MeasurePolygons(mesh, surface, first, last);
                           });
        edges = FindPolygonEdges(mesh, at);
        ListCorners(mesh);
    }

    void MeasurePolygons(const MeshData &mesh, const std::optional<std::string> &surface,
                         std::size_t first, std::size_t last) {
        int unusable = 0;
        for (std::size_t p = first; p < last; ++p) {
            const MeshPolygon &of = mesh.polygons[p];
            polygon[p] = geometry::GeometricNormal(mesh, of);
            const bool candidate = of.normalCorners.size() == of.points.size() &&
                                   (!surface || of.surface == *surface) &&
                                   NonZero(geometry::PolygonNormal(mesh, of)) &&
                                   PolygonArea(mesh, of) > 0;
            const std::size_t usable = candidate ? CornersWithUsableNormals(mesh, of) : 0;
            if (candidate) unusable += static_cast<int>(of.points.size() - usable);
            admitted[p] = usable > 0;
        }
        unusableCorners += unusable;
    }

    void ListCorners(const MeshData &mesh) {
        point.resize(edges.across.size());
        fileNormal.resize(edges.across.size());
        ForEachChunk(
            mesh.polygons.size(), PolygonsPerChunk, [&](std::size_t first, std::size_t last) {
                for (std::size_t p = first; p < last; ++p) {
                    const MeshPolygon &of = mesh.polygons[p];
                    for (std::size_t c = 0; c < of.points.size(); ++c) {
                        point[edges.firstCorner[p] + c] = of.points[c];
                        fileNormal[edges.firstCorner[p] + c] = FileNormalIndex(mesh, of, c);
                    }
                }
            });
    }

    // The authored normal at a corner as the file gives it, or zero where it gives none.
    Vec3 FileNormal(const MeshData &mesh, int corner) const {
        int index = fileNormal[corner];
        return index < 0 ? Vec3{} : geometry::FromPoint(mesh.normals[index]);
    }

    // The corner of `polygon` at point `atPoint`, numbered among every polygon's corners.
    int CornerOf(int polygon, int atPoint) const {
        auto first = point.begin() + edges.firstCorner[polygon],
             last = point.begin() + edges.firstCorner[polygon + 1];
        return edges.firstCorner[polygon] +
               static_cast<int>(std::find(first, last, atPoint) - first);
    }
};

struct Neighbour {
    int from;  // the least angle that takes it, as PassingFrom gives it
    int polygon;
};

// The ways of smoothing a measure holds for: within the set only, across sets only, or both,
// where every neighbour of the corner is of its set and so both give the same.
enum Ways : std::uint8_t { WithinSet, AcrossSets, BothWays };

// What one corner adds to the tallies of its set over a range of candidate angles, at which its
// smoothed normal deviates as `deviation` says. Kept in the order the corners come, so that the
// set's sums are rounded the same however its corners were shared out.
struct TallyEntry {
    std::uint8_t from, to;
    Ways ways;
    bool startsCorner;  // the corner's first entry, which counts it as measured
    Deviation deviation;
};

// Where a corner's measures go when its set is measured on one core: straight into the set's
// tallies, in the order the corners come.
struct SetTallies {
    std::array<AngleTally, 3> tally;  // by Ways
    int measured = 0;
    void beginCorner() { ++measured; }
    void add(int from, int to, Ways ways, Deviation deviation) {
        tally[ways].add(from, to, deviation);
    }
    void add(const std::vector<TallyEntry> &entries) {
        for (const TallyEntry &entry : entries) {
            measured += entry.startsCorner;
            add(entry.from, entry.to, entry.ways, entry.deviation);
        }
    }
};

// Where a corner's measures go when its set is shared out: into entries, added up in order later.
struct EntrySink {
    std::vector<TallyEntry> &entries;
    bool starts = false;
    void beginCorner() { starts = true; }
    void add(int from, int to, Ways ways, Deviation deviation) {
        entries.push_back({std::uint8_t(from), std::uint8_t(to), ways, starts, deviation});
        starts = false;
    }
};

// Sorts neighbours by the angle that takes them, then by polygon. The sums over them round in
// this order, which follows from the mesh alone.
void SortByFrom(std::vector<Neighbour> &neighbours) {
    SortFew(std::span(neighbours), [](const Neighbour &a, const Neighbour &b) {
        return std::pair(a.from, a.polygon) < std::pair(b.from, b.polygon);
    });
}

// Adds to `sink` how far the corner's smoothed normal is from `authored` at every angle.
template <class Sink>
void TallyCorner(const MeshShape &shape, Vec3 own, Vec3 authored,
                 std::vector<Neighbour> &neighbours, Ways ways, Sink &sink) {
    SortByFrom(neighbours);
    Vec3 sum = own;
    int from = 0;
    // The smoothed normal holds from `from` up to the angle that takes the next neighbour in.
    auto measureUpTo = [&](int to) {
        if (to <= from) return;
        sink.add(from, to, ways, DeviationOf(Normalize(sum), authored));
        from = to;
    };
    for (const Neighbour &neighbour : neighbours) {
        measureUpTo(neighbour.from);
        sum += shape.polygon[neighbour.polygon];
    }
    measureUpTo(MaxDegrees + 1);
}

struct Choice {
    bool sameSetOnly = true;
    int degrees = 0;
    int off = 0;
    double total = 0;
};

Choice BestOf(const std::array<AngleTally, 3> &tallies) {
    Choice best{true, 0, -1, 0};
    const AngleTally &both = tallies[BothWays];
    for (Ways ways : {WithinSet, AcrossSets}) {
        const AngleTally &only = tallies[ways];
        int off = 0;
        double total = 0;
        for (int degrees = 0; degrees <= MaxDegrees; ++degrees) {
            off += only.off[degrees] + both.off[degrees];
            total += only.apart[degrees] + both.apart[degrees];
            if (best.off < 0 || off < best.off || (off == best.off && total < best.total - 1e-9))
                best = {ways == WithinSet, degrees, off, total};
        }
    }
    return best;
}

// The settings that come closest over a set's measured corners.
void Settle(ProposedSet &set, const std::array<AngleTally, 3> &tallies, int measured) {
    Choice best = BestOf(tallies);
    set.kind = SetKind::normals;
    set.angleDegrees = best.degrees;
    set.sameSetOnly = best.sameSetOnly;
    set.cornersWithin = measured ? double(measured - best.off) / measured : -1;
    set.cornersMeasured = measured;
    set.reason = "the file's normals run on across its edges";
}

// Whether the normals run on across the edge from `corner` of polygon p: the polygon across it is
// admitted too, and at both of the edge's points the corners on either side carry one normal.
bool NormalsRunOnAcross(const MeshData &mesh, const MeshShape &shape, int p, int corner) {
    int q = shape.edges.across[corner];
    if (q < 0 || !shape.admitted[q]) return false;
    const int firstCorner = shape.edges.firstCorner[p];
    const std::size_t corners = shape.edges.firstCorner[p + 1] - firstCorner;
    int next = firstCorner + static_cast<int>(NextCorner(corner - firstCorner, corners));
    auto sameAt = [&](int own) {
        return SameFileNormal(shape.FileNormal(mesh, own),
                              shape.FileNormal(mesh, shape.CornerOf(q, shape.point[own])));
    };
    return sameAt(corner) && sameAt(next);
}

// The groups of polygons that join across their edges: where both of an edge's points carry one
// normal on either side. Each chunk of polygons joins those within it on a core of its own; the
// joins between chunks are made after, on one core.
UnionFind JoinAcrossEdges(const MeshData &mesh, const MeshShape &shape) {
    const PolygonEdges &edges = shape.edges;
    UnionFind groups(mesh.polygons.size());
    std::vector<std::vector<std::pair<int, int>>> betweenChunks(
        ChunkCount(mesh.polygons.size(), PolygonsPerChunk));
    ForEachChunk(mesh.polygons.size(), PolygonsPerChunk, [&](std::size_t first, std::size_t last) {
        for (int p = static_cast<int>(first); p < static_cast<int>(last); ++p) {
            if (!shape.admitted[p]) continue;
            for (int corner = edges.firstCorner[p]; corner < edges.firstCorner[p + 1]; ++corner) {
                // Each edge once, from the lower of its two polygons.
                int q = edges.across[corner];
                if (q < p || !NormalsRunOnAcross(mesh, shape, p, corner)) continue;
                if (q < static_cast<int>(last))
                    groups.join(p, q);
                else
                    betweenChunks[first / PolygonsPerChunk].push_back({p, q});
            }
        }
    });
    for (const auto &joins : betweenChunks)
        for (auto [p, q] : joins) groups.join(p, q);
    return groups;
}

// The polygons of each set, set by set, each set's in polygon order.
struct PolygonsBySet {
    std::vector<int> first;  // per set; one extra at the end
    std::vector<int> polygons;
};

PolygonsBySet GroupBySet(const SetProposal &proposal) {
    PolygonsBySet grouped;
    grouped.first.assign(proposal.sets.size() + 1, 0);
    for (int set : proposal.setOf)
        if (set >= 0) ++grouped.first[set + 1];
    for (std::size_t set = 0; set < proposal.sets.size(); ++set)
        grouped.first[set + 1] += grouped.first[set];
    grouped.polygons.resize(grouped.first.back());
    std::vector<int> next(grouped.first.begin(), grouped.first.end() - 1);
    for (std::size_t p = 0; p < proposal.setOf.size(); ++p)
        if (proposal.setOf[p] >= 0) grouped.polygons[next[proposal.setOf[p]]++] = int(p);
    return grouped;
}

// Measures every corner of `polygons` (of one set or more), within its set and across sets at
// every angle, into `sink`.
template <class Sink>
void MeasureCorners(const MeshData &mesh, const MeshShape &shape, const SetProposal &proposal,
                    std::span<const int> polygons, Sink &sink) {
    std::vector<Neighbour> ofSet, all;
    for (int p : polygons) {
        int set = proposal.setOf[p];
        Vec3 own = shape.polygon[p];
        for (int corner = shape.edges.firstCorner[p]; corner < shape.edges.firstCorner[p + 1];
             ++corner) {
            Vec3 authored = Normalize(shape.FileNormal(mesh, corner));
            if (!NonZero(authored)) continue;
            int point = shape.point[corner];
            all.clear();
            std::size_t inSet = 0;
            for (int i = shape.at.first[point]; i < shape.at.first[point + 1]; ++i) {
                int q = shape.at.polygons[i];
                if (q == p || !NonZero(shape.polygon[q])) continue;
                all.push_back({PassingFrom(Dot(own, shape.polygon[q])), q});
                inSet += proposal.setOf[q] == set;
            }
            sink.beginCorner();
            // Where every neighbour is of the set, both ways of smoothing give the same.
            if (inSet == all.size()) {
                TallyCorner(shape, own, authored, all, BothWays, sink);
            } else {
                ofSet.clear();
                for (const Neighbour &neighbour : all)
                    if (proposal.setOf[neighbour.polygon] == set) ofSet.push_back(neighbour);
                TallyCorner(shape, own, authored, ofSet, WithinSet, sink);
                TallyCorner(shape, own, authored, all, AcrossSets, sink);
            }
        }
    }
}

// Measures a large set's corners on every core a chunk at a time, a wave of chunks at once, while
// one core adds up the wave before.
void SettleSharedOut(const MeshData &mesh, const MeshShape &shape, std::span<const int> polygons,
                     SetProposal &proposal, int set) {
    constexpr std::size_t ChunkPolygons = 1 << 12, ChunksPerWave = 16;
    const std::size_t chunks = ChunkCount(polygons.size(), ChunkPolygons);
    const std::size_t waves = ChunkCount(chunks, ChunksPerWave);
    auto chunksOf = [&](std::size_t wave) {
        return std::min(ChunksPerWave, chunks - std::min(chunks, wave * ChunksPerWave));
    };
    // The entries of two waves: the one measured and the one added up.
    std::vector<std::vector<TallyEntry>> entries(2 * ChunksPerWave);
    auto entriesOf = [&](std::size_t wave, std::size_t chunk) -> std::vector<TallyEntry> & {
        return entries[wave % 2 * ChunksPerWave + chunk];
    };
    auto tallies = std::make_unique<SetTallies>();
    for (std::size_t wave = 0; wave <= waves; ++wave) {
        const std::size_t adding = wave > 0 ? 1 : 0;
        ForEachOnThreads(adding + chunksOf(wave), Cores(), [&](std::size_t task) {
            if (task < adding) {
                for (std::size_t chunk = 0; chunk < chunksOf(wave - 1); ++chunk)
                    tallies->add(entriesOf(wave - 1, chunk));
                return;
            }
            std::size_t chunk = task - adding;
            std::vector<TallyEntry> &out = entriesOf(wave, chunk);
            out.clear();
            out.reserve(ChunkPolygons * 8);  // a few entries per corner, most polygons quads
            EntrySink sink{out};
            WorkOnChunk(wave * ChunksPerWave + chunk, polygons.size(), ChunkPolygons,
                        [&](std::size_t first, std::size_t last) {
                            MeasureCorners(mesh, shape, proposal,
                                           polygons.subspan(first, last - first), sink);
                        });
        });
    }
    Settle(proposal.sets[set], tallies->tally, tallies->measured);
}

// Gives every set the settings that come closest over its corners, each set's corners added up
// in polygon order. Sets small enough to keep every core busy with others are measured whole,
// one to a core, straight into their tallies; larger ones are shared out.
void SettleSets(const MeshData &mesh, const MeshShape &shape, SetProposal &proposal) {
    const PolygonsBySet bySet = GroupBySet(proposal);
    ProposedSet unmeasured;  // what a set gets without a corner to measure
    Settle(unmeasured, {}, 0);
    std::fill(proposal.sets.begin(), proposal.sets.end(), unmeasured);
    auto polygonsOf = [&](std::size_t set) {
        return std::span(bySet.polygons)
            .subspan(bySet.first[set], bySet.first[set + 1] - bySet.first[set]);
    };
    const std::size_t large = std::max<std::size_t>(1 << 16, bySet.polygons.size() / (2 * Cores()));
    std::vector<int> small;
    for (std::size_t set = 0; set < proposal.sets.size(); ++set) {
        if (polygonsOf(set).size() < large)
            small.push_back(static_cast<int>(set));
        else
            SettleSharedOut(mesh, shape, polygonsOf(set), proposal, static_cast<int>(set));
    }
    ForEachOnThreads(small.size(), Cores(), [&](std::size_t i) {
        auto tallies = std::make_unique<SetTallies>();
        MeasureCorners(mesh, shape, proposal, polygonsOf(small[i]), *tallies);
        Settle(proposal.sets[small[i]], tallies->tally, tallies->measured);
    });
}

// The sets that the polygons make where the object's normals join them, each set numbered by its
// first polygon, before their settings.
SetProposal JoinedSets(const MeshData &mesh, const MeshShape &shape) {
    const std::size_t count = mesh.polygons.size();
    UnionFind groups = JoinAcrossEdges(mesh, shape);
    SetProposal proposal;
    proposal.setOf.assign(count, -1);
    for (int p = 0; p < static_cast<int>(count); ++p) {
        if (!shape.admitted[p]) continue;
        // A group's least member comes first, and its set with it.
        int least = groups.find(p);
        if (least == p) {
            proposal.setOf[p] = static_cast<int>(proposal.sets.size());
            proposal.sets.push_back({});
        } else {
            proposal.setOf[p] = proposal.setOf[least];
        }
    }
    return proposal;
}

}  // namespace

AuthoredNormals AuthoredNormalsOf(const MeshData &mesh, const std::optional<std::string> &surface) {
    if (mesh.normals.empty()) return AuthoredNormals::none;
    AuthoredNormals found = AuthoredNormals::none;
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (polygon.normalCorners.empty() || (surface && polygon.surface != *surface)) continue;
        if (CornersWithUsableNormals(mesh, polygon) > 0) return AuthoredNormals::usable;
        found = AuthoredNormals::unusable;
    }
    return found;
}

SetProposal ProposeSetsFromNormals(const MeshData &mesh,
                                   const std::optional<std::string> &surface) {
    MeshShape shape(mesh, surface);
    SetProposal proposal = JoinedSets(mesh, shape);
    SettleSets(mesh, shape, proposal);
    proposal.cornersUnmeasured = shape.unusableCorners;
    FinishProposal(mesh, {std::move(shape.polygon), std::move(shape.at)}, proposal);
    return proposal;
}
