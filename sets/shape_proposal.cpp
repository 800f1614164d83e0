#include "sets/shape_proposal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <tuple>

#include "host/scene/geometric_normal.h"
#include "host/scene/host_normals.h"
#include "sets/false_creases.h"
#include "sets/finished_proposal.h"
#include "sets/normal_angles.h"
#include "sets/polygon_chunks.h"
#include "sets/polygon_edges.h"
#include "sets/steepest_turns.h"
#include "sets/union_find.h"

using geometry::Vec3;

namespace {

// Neighbours closer than this lie in one plane.
constexpr double PlanarDegrees = 1;
// The steepest step a round or a chamfer strip takes between its facets.
constexpr double MaxStepDegrees = 50;
// Below this, a step between patches of similar width is part of a gently curved surface.
constexpr double GentleDegrees = 12;
// Facets of one round differ in width by at most this factor.
constexpr double WidthRatio = 4;
// The next step of a round turns by at most this factor more or less; a round's last facet meets
// a tangent face at half its step.
constexpr double StepRatioAbove = 2.5, StepRatioBelow = 2.5;
// A chamfer is at most this share of the width of the regions it separates.
constexpr double StripShare = 0.6;
// Of a patch's creases, the longest this many are looked at as a strip's sides.
constexpr std::size_t MostStripSides = 8;
// The steepest crease between a chamfer and a region it separates.
constexpr double MaxBevelDegrees = 75;
// A round meets a flat panel tangentially when it turns there by at most this share of its step.
constexpr double TangentShare = 0.6;
// Settings: the margin above a set's own steepest step, and the angle of panels and strips.
constexpr double MarginDegrees = 5, PanelDegrees = 20;

// Where a patch meets one neighbouring patch.
struct Boundary {
    int patch = -1;
    double length = 0;
    double signedDegrees = 0;  // length-weighted; the sign tells convex from concave
    Vec3 direction;            // the sum of the edges as this patch runs along them
};

struct Patch {
    double area = 0, perimeter = 0;
    std::span<const Boundary> boundaries;  // by neighbour patch, in ShapeModel::boundaries
    bool strip = false;
    bool facet = false;  // of a surface curved every way (FindFacets)
};

double WidthAcross(const Patch &patch, const Boundary &boundary) {
    return boundary.length > 0 ? patch.area / boundary.length : 0;
}

const Boundary *BoundaryWith(const Patch &patch, int other) {
    for (const Boundary &boundary : patch.boundaries)
        if (boundary.patch == other) return &boundary;
    return nullptr;
}

struct ShapeModel {
    std::vector<Vec3> normal;  // per polygon
    // The module's view of the mesh, which the proposal is finished with (finished_proposal.h).
    ModuleNeighbourhood module;
    std::vector<double> area;    // per polygon
    std::vector<char> admitted;  // per polygon: has area and is of the surface asked for
    std::vector<int> patchOf;    // per polygon, or -1
    std::vector<Patch> patches;
    std::vector<Boundary> boundaries;  // of every patch, patch by patch
    PolygonEdges edges;
};

// Each polygon's normal and area, and whether it joins a set, from `first` to `last`.
void MeasurePolygonRange(const MeshData &mesh, const std::optional<std::string> &surface,
                         ShapeModel &model, std::size_t first, std::size_t last) {
    for (std::size_t p = first; p < last; ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        model.normal[p] = geometry::PolygonNormal(mesh, polygon);
        model.module.normal[p] = geometry::GeometricNormal(mesh, polygon);
        model.area[p] = PolygonArea(mesh, polygon);
        model.admitted[p] = Length(model.normal[p]) > 0 && model.area[p] > 0 &&
                            (!surface || polygon.surface == *surface);
    }
}

// Every polygon measured on every core, and the polygons' edges.
void MeasurePolygons(const MeshData &mesh, const std::optional<std::string> &surface,
                     ShapeModel &model) {
    const std::size_t count = mesh.polygons.size();
    model.normal.resize(count);
    model.module.normal.resize(count);
    model.area.resize(count);
    model.admitted.resize(count);
    geometry::PointPolygons &at = model.module.around;
    ForEachChunkBeside([&] { at = geometry::CollectPointPolygons(mesh); }, count, PolygonsPerChunk,
                       [&](std::size_t first, std::size_t last) {
                           MeasurePolygonRange(mesh, surface, model, first, last);
                       });
    model.edges = FindPolygonEdges(mesh, at);
}

void FindPatches(const MeshData &mesh, ShapeModel &model) {
    const std::size_t count = mesh.polygons.size();
    const LessThanDegrees planarWith(PlanarDegrees);
    UnionFind planar(count);
    for (std::size_t p = 0; p < count; ++p) {
        if (!model.admitted[p]) continue;
        for (int c = model.edges.firstCorner[p]; c < model.edges.firstCorner[p + 1]; ++c) {
            int q = model.edges.across[c];
            if (q >= 0 && model.admitted[q] && planarWith(model.normal[p], model.normal[q]))
                planar.join(static_cast<int>(p), q);
        }
    }
    model.patchOf.assign(count, -1);
    std::vector<int> patchOfRoot(count, -1);
    for (std::size_t p = 0; p < count; ++p) {
        if (!model.admitted[p]) continue;
        int &patch = patchOfRoot[planar.find(static_cast<int>(p))];
        if (patch < 0) {
            patch = static_cast<int>(model.patches.size());
            model.patches.emplace_back();
        }
        model.patchOf[p] = patch;
    }
}

// An edge between two patches, as the polygon on the side of `patch` runs along it.
struct BoundaryEdge {
    std::uint64_t patches;  // the polygon's patch, then the other one
    int polygon, corner;
};

// The edges between two patches in the order that adds up each boundary's sums: by patch, then
// by the other patch, then by polygon and corner, so that the sums round the same with any
// standard library.
std::vector<BoundaryEdge> EdgesByBoundary(const MeshData &mesh, ShapeModel &model) {
    std::vector<BoundaryEdge> pieces;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        int patch = model.patchOf[p];
        if (patch < 0) continue;
        const MeshPolygon &polygon = mesh.polygons[p];
        model.patches[patch].area += model.area[p];
        for (std::size_t corner = 0; corner < polygon.points.size(); ++corner) {
            int q = model.edges.across[model.edges.firstCorner[p] + corner];
            int other = q >= 0 ? model.patchOf[q] : -1;
            if (other == patch) continue;
            model.patches[patch].perimeter += Length(EdgeVector(mesh, polygon, corner));
            if (other < 0) continue;
            pieces.push_back({std::uint64_t(patch) << 32 | std::uint32_t(other),
                              static_cast<int>(p), static_cast<int>(corner)});
        }
    }
    std::sort(pieces.begin(), pieces.end(), [](const BoundaryEdge &a, const BoundaryEdge &b) {
        return std::tuple(a.patches, a.polygon, a.corner) <
               std::tuple(b.patches, b.polygon, b.corner);
    });
    return pieces;
}

void MeasurePatches(const MeshData &mesh, ShapeModel &model) {
    std::vector<std::size_t> boundariesEnd(model.patches.size(), 0);
    int lastPatch = -1;
    for (const BoundaryEdge &piece : EdgesByBoundary(mesh, model)) {
        int patch = static_cast<int>(piece.patches >> 32);
        int other = static_cast<int>(piece.patches & 0xffffffffu);
        const MeshPolygon &polygon = mesh.polygons[piece.polygon];
        int q = model.edges.across[model.edges.firstCorner[piece.polygon] + piece.corner];
        Vec3 edge = EdgeVector(mesh, polygon, piece.corner);
        double length = Length(edge);
        double degrees = Degrees(model.normal[piece.polygon], model.normal[q]);
        if (Dot(Cross(model.normal[piece.polygon], model.normal[q]), edge) < 0) degrees = -degrees;
        if (patch != lastPatch || model.boundaries.back().patch != other)
            model.boundaries.push_back({other, 0, 0, {}});
        lastPatch = patch;
        boundariesEnd[patch] = model.boundaries.size();
        Boundary &boundary = model.boundaries.back();
        boundary.length += length;
        boundary.signedDegrees += degrees * length;
        boundary.direction += edge;
    }
    for (Boundary &boundary : model.boundaries)
        if (boundary.length > 0) boundary.signedDegrees /= boundary.length;
    std::size_t begin = 0;
    for (std::size_t patch = 0; patch < model.patches.size(); ++patch) {
        std::size_t end = std::max(begin, boundariesEnd[patch]);
        model.patches[patch].boundaries =
            std::span(model.boundaries.data() + begin, model.boundaries.data() + end);
        begin = end;
    }
}

// A strip bevels an edge between two regions much wider than it is: two of its boundaries lie
// on opposite sides and are creases with those regions, by less than a right angle, as a wall's
// would be. A strip's width is its area over the mean length of those two.
//
// Two strips side by side, each with a wider region on its other side, make a V-groove or a
// ridge: their crease with each other turns the other way from their creases with the wider
// regions.
void FindStrips(ShapeModel &model) {
    auto isCrease = [](const Boundary &side) {
        double crease = std::abs(side.signedDegrees);
        return crease >= GentleDegrees * 2 / 3 && crease <= MaxBevelDegrees;
    };
    auto narrowBeside = [&](const Patch &patch, const Boundary &side, double width) {
        const Patch &beyond = model.patches[side.patch];
        const Boundary *back = BoundaryWith(beyond, &patch - model.patches.data());
        return back && width <= StripShare * WidthAcross(beyond, *back);
    };
    auto opposite = [](const Boundary &a, const Boundary &b) {
        return Dot(Normalize(a.direction), Normalize(b.direction)) <= -0.5;
    };
    // Per patch with a wider region on one side only, the patch on its other side.
    std::vector<int> besideStrip(model.patches.size(), -1);
    std::vector<const Boundary *> sides;
    for (Patch &patch : model.patches) {
        const int index = static_cast<int>(&patch - model.patches.data());
        // A strip's sides are among its longest creases; the longest few are enough, however
        // many small patches a large region borders.
        sides.clear();
        for (const Boundary &boundary : patch.boundaries)
            if (isCrease(boundary)) sides.push_back(&boundary);
        const std::size_t kept = std::min<std::size_t>(sides.size(), MostStripSides);
        std::partial_sort(sides.begin(), sides.begin() + kept, sides.end(),
                          [](const Boundary *a, const Boundary *b) {
                              return a->length > b->length ||
                                     (a->length == b->length && a->patch < b->patch);
                          });
        double longest = 0;
        for (std::size_t i = 0; i < kept; ++i)
            for (std::size_t j = i + 1; j < kept; ++j) {
                const Boundary &a = *sides[i], &b = *sides[j];
                if (!opposite(a, b) || a.length + b.length <= longest) continue;
                double width = patch.area / ((a.length + b.length) / 2);
                bool widerA = narrowBeside(patch, a, width), widerB = narrowBeside(patch, b, width);
                if (widerA && widerB) {
                    patch.strip = true;
                } else if (widerA != widerB) {
                    const Boundary &wide = widerA ? a : b, &other = widerA ? b : a;
                    if (wide.signedDegrees * other.signedDegrees >= 0) continue;
                    besideStrip[index] = other.patch;
                } else {
                    continue;
                }
                longest = a.length + b.length;
            }
    }
    for (std::size_t patch = 0; patch < model.patches.size(); ++patch) {
        int other = besideStrip[patch];
        if (other >= 0 && besideStrip[other] == static_cast<int>(patch))
            model.patches[patch].strip = true;
    }
}

// Whether a boundary runs mostly one way, so that its direction means something: a boundary
// that closes around a patch has none.
bool RunsOneWay(const Boundary &boundary) {
    return Length(boundary.direction) >= 0.5 * boundary.length;
}

// The step by which `patch` turns again beyond `entry`, at an edge running the same way in the
// same sense by at most `MaxStepDegrees`: the next step of a ring, or 0.
double NextStep(const Patch &patch, const Boundary &entry) {
    if (!RunsOneWay(entry)) return 0;
    Vec3 along = Normalize(entry.direction);
    double next = 0;
    for (const Boundary &other : patch.boundaries) {
        if (other.patch == entry.patch || std::abs(other.signedDegrees) > MaxStepDegrees ||
            !RunsOneWay(other))
            continue;
        if (std::abs(Dot(Normalize(other.direction), along)) <
            std::cos(35 * std::numbers::pi / 180))
            continue;
        if (other.signedDegrees * entry.signedDegrees > 0 &&
            std::abs(other.signedDegrees) > std::abs(next))
            next = other.signedDegrees;
    }
    return next;
}

// Whether `patch` turns again beyond `entry` by a similar angle in the same sense.
bool StepContinues(const Patch &patch, const Boundary &entry) {
    double ratio = NextStep(patch, entry) / entry.signedDegrees;
    return ratio >= 1 / StepRatioBelow && ratio <= StepRatioAbove;
}

// A facet of a surface curved every way, as a ball or a blob made of triangles is: it turns at
// every boundary the same way, by similar angles, as no ring of steps about one axis does.
void FindFacets(ShapeModel &model) {
    for (Patch &patch : model.patches) {
        if (patch.strip || patch.boundaries.size() < 3) continue;
        double least = 180, most = 0;
        bool convex = patch.boundaries.front().signedDegrees > 0;
        bool oneWay = true;
        for (const Boundary &boundary : patch.boundaries) {
            double turn = std::abs(boundary.signedDegrees);
            least = std::min(least, turn);
            most = std::max(most, turn);
            oneWay = oneWay && (boundary.signedDegrees > 0) == convex;
        }
        patch.facet = oneWay && most <= MaxStepDegrees && most <= StepRatioAbove * least;
    }
}

bool JoinsAcross(const ShapeModel &model, int a, int b) {
    const Patch &first = model.patches[a], &second = model.patches[b];
    const Boundary *ab = BoundaryWith(first, b), *ba = BoundaryWith(second, a);
    if (!ab || !ba) return false;
    double step = std::abs(ab->signedDegrees);
    if (step > MaxStepDegrees) return false;
    if (first.strip && second.strip) return true;
    double widthA = WidthAcross(first, *ab), widthB = WidthAcross(second, *ba);
    if (std::max(widthA, widthB) > WidthRatio * std::min(widthA, widthB)) return false;
    if (step < GentleDegrees || (first.facet && second.facet)) return true;
    return StepContinues(first, *ab) && StepContinues(second, *ba);
}

struct SetShape {
    std::vector<int> patches;
    double steepestStep = 0;  // between polygons of the set
    bool allStrips = true;
};

SetKind KindWithoutNeighbours(const SetShape &shape) {
    if (shape.allStrips) return SetKind::chamfer;
    if (shape.patches.size() == 1) return SetKind::flat;
    return shape.steepestStep >= GentleDegrees ? SetKind::round : SetKind::freeform;
}

}  // namespace

SetProposal ProposeSetsFromShape(const MeshData &mesh, const std::optional<std::string> &surface) {
    const std::size_t count = mesh.polygons.size();
    ShapeModel model;
    MeasurePolygons(mesh, surface, model);
    FindPatches(mesh, model);
    MeasurePatches(mesh, model);
    FindStrips(model);
    FindFacets(model);

    UnionFind joined(model.patches.size());
    for (int a = 0; a < static_cast<int>(model.patches.size()); ++a)
        for (const Boundary &boundary : model.patches[a].boundaries)
            if (boundary.patch > a && JoinsAcross(model, a, boundary.patch))
                joined.join(a, boundary.patch);

    SetProposal proposal;
    std::vector<int> setOfPatch(model.patches.size());
    std::vector<SetShape> shapes;
    std::vector<int> setOfRoot(model.patches.size(), -1);
    for (int patch = 0; patch < static_cast<int>(model.patches.size()); ++patch) {
        int &set = setOfRoot[joined.find(patch)];
        if (set < 0) {
            set = static_cast<int>(shapes.size());
            shapes.emplace_back();
        }
        setOfPatch[patch] = set;
        shapes[set].patches.push_back(patch);
        shapes[set].allStrips = shapes[set].allStrips && model.patches[patch].strip;
    }
    proposal.setOf.assign(count, -1);
    // The steepest step is the least dot product's; the angle is taken only for dot products
    // within a hair of the least so far, which cannot be less steep by more than its rounding.
    std::vector<double> leastDot(shapes.size(), 2);
    for (std::size_t p = 0; p < count; ++p) {
        if (model.patchOf[p] < 0) continue;
        int set = proposal.setOf[p] = setOfPatch[model.patchOf[p]];
        for (int c = model.edges.firstCorner[p]; c < model.edges.firstCorner[p + 1]; ++c) {
            int q = model.edges.across[c];
            if (q < 0 || model.patchOf[q] < 0 || setOfPatch[model.patchOf[q]] != set) continue;
            double dot = Dot(model.normal[p], model.normal[q]);
            if (dot > leastDot[set] + 1e-9) continue;
            leastDot[set] = std::min(leastDot[set], dot);
            shapes[set].steepestStep =
                std::max(shapes[set].steepestStep, Degrees(model.normal[p], model.normal[q]));
        }
    }

    for (const SetShape &shape : shapes) {
        ProposedSet set;
        set.kind = KindWithoutNeighbours(shape);
        proposal.sets.push_back(set);
    }
    const std::vector<double> turnsAtPoints =
        SteepestTurnsAtPoints(model.module, proposal.setOf, shapes.size());
    for (std::size_t s = 0; s < shapes.size(); ++s) {
        const SetShape &shape = shapes[s];
        ProposedSet &set = proposal.sets[s];
        double step = std::ceil(shape.steepestStep);
        // Whether the set meets a flat panel tangentially, and the least of the creases it does
        // not meet tangentially, which its smoothing must not reach.
        bool meetsPanelTangentially = false;
        double leastCrease = 180;
        for (int patch : shape.patches)
            for (const Boundary &boundary : model.patches[patch].boundaries) {
                int other = setOfPatch[boundary.patch];
                if (other == static_cast<int>(s)) continue;
                double crease = std::abs(boundary.signedDegrees);
                if (crease > TangentShare * shape.steepestStep)
                    leastCrease = std::min(leastCrease, crease);
                else if (proposal.sets[other].kind == SetKind::flat)
                    meetsPanelTangentially = true;
            }
        switch (set.kind) {
            case SetKind::flat:
                set.reason = "one plane";
                set.angleDegrees = PanelDegrees;
                break;
            case SetKind::chamfer:
                set.reason = "a narrow strip between wider regions";
                set.angleDegrees = std::max(PanelDegrees, step + MarginDegrees);
                break;
            default:
                // Smoothed as one surface, a round takes in all its polygons at each corner.
                set.angleDegrees =
                    std::ceil(TurnCovered(shape.steepestStep, turnsAtPoints[s])) + MarginDegrees;
                set.reason = set.kind == SetKind::round ? "facets turning by up to " +
                                                              std::to_string(int(step)) + " degrees"
                                                        : "gently curved";
                // A round blends into the panels it meets tangentially where an angle keeps
                // its smoothing off the creases it meets and still takes in its own steps: with
                // a crease as steep as a step, neighbours on both sides of an edge within the
                // round would take in different polygons, and the edge would show.
                if (set.kind == SetKind::round && meetsPanelTangentially && leastCrease > step) {
                    set.kind = SetKind::fillet;
                    set.sameSetOnly = false;
                    set.reason += ", meeting flat panels tangentially";
                    // Smoothed across sets, its angle reaches the panels' polygons as well: only
                    // as far as its own steps.
                    set.angleDegrees = step + MarginDegrees;
                    if (leastCrease <= set.angleDegrees)
                        set.angleDegrees = std::floor((step + leastCrease) / 2);
                }
                break;
        }
    }
    JoinSetsAcrossFalseCreases(mesh, {model.module, model.edges, model.normal}, proposal);
    FinishProposal(mesh, model.module, proposal);
    return proposal;
}
