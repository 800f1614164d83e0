#include "examples/preview_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

#include "host/render/host_normals.h"

namespace {

using render::Vec3;

// Each directed edge of each polygon, to the polygon that has it.
std::map<std::pair<int, int>, int> DirectedEdges(const MeshData &mesh) {
    std::map<std::pair<int, int>, int> edges;
    for (size_t p = 0; p < mesh.polygons.size(); ++p) {
        const std::vector<int> &corners = mesh.polygons[p].points;
        for (size_t c = 0; c < corners.size(); ++c) {
            auto [where, added] = edges.emplace(
                std::make_pair(corners[c], corners[(c + 1) % corners.size()]), static_cast<int>(p));
            EXPECT_TRUE(added) << "polygon " << p << " repeats an edge of polygon "
                               << where->second;
        }
    }
    return edges;
}

double Volume(const MeshData &mesh) {
    double volume = 0;
    for (const MeshPolygon &polygon : mesh.polygons)
        for (size_t fan = 1; fan + 1 < polygon.points.size(); ++fan) {
            Vec3 a = render::FromPoint(mesh.points[polygon.points[0]]),
                 b = render::FromPoint(mesh.points[polygon.points[fan]]),
                 c = render::FromPoint(mesh.points[polygon.points[fan + 1]]);
            volume += Dot(a, Cross(b, c)) / 6;
        }
    return volume;
}

double DegreesBetween(Vec3 a, Vec3 b) {
    return std::acos(std::clamp(Dot(Normalize(a), Normalize(b)), -1.0, 1.0)) * 180 /
           std::numbers::pi;
}

// Per set, the angles between its neighbouring polygons; per pair of different sets, the
// smallest and largest angle where they meet.
struct Creases {
    std::map<std::string, std::multiset<double>> withinSet;
    std::map<std::pair<std::string, std::string>, std::pair<double, double>> betweenSets;
};

double Largest(const std::multiset<double> &angles) {
    return angles.empty() ? 0 : *angles.rbegin();
}

Creases MeasureCreases(const MeshData &mesh) {
    Creases creases;
    std::map<std::pair<int, int>, int> edges = DirectedEdges(mesh);
    for (const auto &[edge, p] : edges) {
        if (edge.first > edge.second) continue;
        int q = edges.at({edge.second, edge.first});
        const MeshPolygon &a = mesh.polygons[p], &b = mesh.polygons[q];
        double angle =
            DegreesBetween(render::PolygonNormal(mesh, a), render::PolygonNormal(mesh, b));
        if (a.part == b.part) {
            creases.withinSet[*a.part].insert(angle);
            continue;
        }
        auto key = std::minmax(*a.part, *b.part);
        auto [entry, added] = creases.betweenSets.emplace(key, std::make_pair(angle, angle));
        entry->second = {std::min(entry->second.first, angle),
                         std::max(entry->second.second, angle)};
    }
    return creases;
}

TEST(PreviewObjects, AreClosedFacingOutwardsAndFullyTagged) {
    for (const PreviewObject &object : PreviewObjects()) {
        SCOPED_TRACE(object.stem);
        std::map<std::pair<int, int>, int> edges = DirectedEdges(object.mesh);
        for (const auto &[edge, polygon] : edges)
            EXPECT_TRUE(edges.contains({edge.second, edge.first}))
                << "edge " << edge.first << "-" << edge.second << " of polygon " << polygon
                << " is open or turned the wrong way";
        EXPECT_GT(Volume(object.mesh), 0);

        std::set<std::string> sets;
        for (const MeshPolygon &polygon : object.mesh.polygons) {
            EXPECT_EQ(polygon.surface, object.surface);
            ASSERT_TRUE(polygon.part);
            sets.insert(*polygon.part);
        }
        std::set<std::string> configured;
        for (const SetRequest &request : object.settings) configured.insert(request.name);
        EXPECT_EQ(configured, sets);
    }
}

TEST(PreviewObjects, MachinedPartNeedsItsOwnAngleInEachSet) {
    PreviewObject part = MachinedPart();
    Creases creases = MeasureCreases(part.mesh);
    EXPECT_GT(part.mesh.polygons.size(), 900u);
    // Fillets, cylinders and the chamfers round the corners are curved finely enough for their
    // angle; faces are flat up to the right angles where they meet each other.
    for (const char *set : {"Fillets", "Cylinders", "Chamfers"})
        EXPECT_LT(Largest(creases.withinSet[set]), 20) << set;
    for (double angle : creases.withinSet["Faces"])
        ASSERT_TRUE(angle < 1e-3 || std::abs(angle - 90) < 1e-3) << angle;
    // Chamfers break their edges at 45 degrees: the host's default angle smooths them away.
    auto [least, most] = creases.betweenSets.at({"Chamfers", "Faces"});
    EXPECT_NEAR(least, 45, 1);
    EXPECT_LT(most, render::HostDefaultSmoothingDegrees);
    // Fillets run into the faces beside them without a crease.
    EXPECT_LT(creases.betweenSets.at({"Faces", "Fillets"}).first, 10);
}

TEST(PreviewObjects, KnobCreasesAreWithinTheSmoothingAngle) {
    PreviewObject knob = BandedKnob();
    Creases creases = MeasureCreases(knob.mesh);
    for (const SetRequest &request : knob.settings) {
        EXPECT_TRUE(request.sameSetOnly);
        EXPECT_LT(Largest(creases.withinSet[request.name]), request.angleDegrees / 4)
            << request.name;
    }
    // Every crease between bands is plain to see and yet smaller than the smoothing angle:
    // only the same-set test keeps it.
    ASSERT_EQ(creases.betweenSets.size(), 4u);
    for (const auto &[sets, range] : creases.betweenSets) {
        EXPECT_GT(range.first, 30) << sets.first << "/" << sets.second;
        EXPECT_LT(range.second, knob.settings[0].angleDegrees) << sets.first << "/" << sets.second;
    }
}

}  // namespace
