#include "examples/preview_objects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <set>

#include "host/scene/first_corners.h"
#include "host/scene/host_normals.h"
#include "host/session/host_session.h"
#include "tools/velmora/corner_normals.h"

namespace {

using geometry::Vec3;

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
            Vec3 a = geometry::FromPoint(mesh.points[polygon.points[0]]),
                 b = geometry::FromPoint(mesh.points[polygon.points[fan]]),
                 c = geometry::FromPoint(mesh.points[polygon.points[fan + 1]]);
            volume += Dot(a, Cross(b, c)) / 6;
        }
    return volume;
}

double DegreesBetween(Vec3 a, Vec3 b) {
    return std::acos(std::clamp(Dot(Normalize(a), Normalize(b)), -1.0, 1.0)) * 180 /
           std::numbers::pi;
}

// Per set, the angles between its neighbouring polygons; per pair of different sets, the
// angles where they meet.
struct Creases {
    std::map<std::string, std::multiset<double>> withinSet;
    std::map<std::pair<std::string, std::string>, std::multiset<double>> betweenSets;
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
            DegreesBetween(geometry::PolygonNormal(mesh, a), geometry::PolygonNormal(mesh, b));
        if (a.part == b.part) {
            creases.withinSet[*a.part].insert(angle);
            continue;
        }
        auto key = std::minmax(*a.part, *b.part);
        creases.betweenSets[key].insert(angle);
    }
    return creases;
}

TEST(PreviewObjects, AreClosedFacingOutwardsAndFullyTagged) {
    for (const PreviewObject &object : ExampleObjects()) {
        SCOPED_TRACE(object.stem);
        std::map<std::pair<int, int>, int> edges = DirectedEdges(object.mesh);
        for (const auto &[edge, polygon] : edges)
            EXPECT_TRUE(edges.contains({edge.second, edge.first}))
                << "edge " << edge.first << "-" << edge.second << " of polygon " << polygon
                << " is open or turned the wrong way";
        EXPECT_GT(Volume(object.mesh), 0);
        // Every polygon is convex: it turns the way of its normal at every corner.
        for (size_t p = 0; p < object.mesh.polygons.size(); ++p) {
            const std::vector<int> &corners = object.mesh.polygons[p].points;
            Vec3 normal = geometry::PolygonNormal(object.mesh, object.mesh.polygons[p]);
            for (size_t c = 0; c < corners.size(); ++c) {
                auto point = [&](size_t i) {
                    return geometry::FromPoint(
                        object.mesh.points[corners[(c + i) % corners.size()]]);
                };
                EXPECT_GT(Dot(Cross(point(1) - point(0), point(2) - point(1)), normal), 0)
                    << "polygon " << p << " corner " << c;
            }
        }

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

// The angles between neighbouring polygons of a set, or between two sets where they meet.
std::multiset<double> Within(const Creases &creases, const std::string &set) {
    return creases.withinSet.at(set);
}
std::pair<double, double> Between(const Creases &creases, const std::string &a,
                                  const std::string &b) {
    const std::multiset<double> &angles = creases.betweenSets.at(std::minmax(a, b));
    return {*angles.begin(), *angles.rbegin()};
}

TEST(PreviewObjects, MachinedPartsFilletsTurnMoreThanItsChamfersCrease) {
    Creases creases = MeasureCreases(MachinedPart().mesh);
    // The fillets turn by 45 degrees from polygon to polygon and at most 22.5 from the faces,
    // which are flat up to the right angles where they meet each other.
    EXPECT_NEAR(Largest(Within(creases, "Fillets")), 45, 0.5);
    for (double angle : creases.betweenSets.at({"Faces", "Fillets"}))
        ASSERT_TRUE(angle < 22.5 + 1e-3 || std::abs(angle - 90) < 1e-3) << angle;
    for (double angle : Within(creases, "Faces"))
        ASSERT_TRUE(angle < 1e-3 || std::abs(angle - 90) < 1e-3) << angle;
    // The plate's chamfer breaks the top face by 30 degrees; the boss's facets lie further
    // apart than its chamfer breaks its wall.
    EXPECT_NEAR(Between(creases, "Chamfers", "Faces").first, 30, 0.5);
    double facets = Largest(Within(creases, "Cylinders"));
    auto [least, most] = Between(creases, "Chamfers", "Cylinders");
    EXPECT_NEAR(facets, 42, 0.5);
    EXPECT_GT(least, 16.5);
    EXPECT_LT(most, 20.5);
    // The fillets stop short of the chamfers above them.
    EXPECT_GT(Between(creases, "Chamfers", "Fillets").first, 50);
    // Every set shades round within itself at its angle, the faces apart.
    for (const SetRequest &request : MachinedPart().settings) {
        if (request.name == "Faces") continue;
        EXPECT_LT(Largest(Within(creases, request.name)), *request.angleDegrees) << request.name;
    }
}

TEST(PreviewObjects, KnobsFacetsTurnMoreThanItsChamfersCrease) {
    Creases creases = MeasureCreases(BandedKnob().mesh);
    EXPECT_NEAR(Largest(Within(creases, "Walls")), 45, 0.01);
    auto [least, most] = Between(creases, "Chamfers", "Walls");
    EXPECT_NEAR(least, 30, 0.01);
    EXPECT_NEAR(most, 30, 0.01);
    EXPECT_LT(Largest(Within(creases, "Chamfers")), 45);
    EXPECT_NEAR(Between(creases, "Chamfers", "Faces").first, 60, 0.01);
}

// ---- What the host cannot do alone ----

// How far the host's best single smoothing angle stays from the module.
struct SingleAngleGap {
    double bestDegrees = 0;  // the smallest such angle, when several tie
    int cornersApart = 0;    // corners whose normals differ by more than the limit there
    int corners = 0;
};

constexpr double ApartDegrees = 10;

// The module's normal at every corner, sampled through the module file as `velmora normals`
// samples it, with each set worked through the module's own dialog.
std::vector<CornerNormal> ModuleNormals(const PreviewObject &object) {
    std::shared_ptr<ObjectFile> file = PreviewFile(object);
    Scene scene;
    scene.items.push_back({object.stem, file});
    HostSession session(std::move(scene), std::string(VELMORA_MODULE_DIR) + "KV_Velmora.p");
    EXPECT_THAT(ApplySetRequests(session, *file, object.settings, {}).unmatched,
                ::testing::IsEmpty());
    return SampleCornerNormals(session.scene().items.front(), session.hooksOf(*file),
                               geometry::SurfaceSmoothing(*file), 2);
}

int CornersApart(const std::vector<CornerNormal> &module, const geometry::HostNormals &host) {
    int apart = 0;
    for (size_t corner = 0; corner < module.size(); ++corner) {
        if (DegreesBetween(module[corner], host.corner[corner]) > ApartDegrees) ++apart;
    }
    return apart;
}

// Every single angle from 0 to 180 degrees in half-degree steps, for the whole surface.
SingleAngleGap BestSingleAngle(const PreviewObject &object,
                               const std::vector<CornerNormal> &module) {
    SingleAngleGap best{0, static_cast<int>(module.size()) + 1, static_cast<int>(module.size())};
    for (int step = 0; step <= 360; ++step) {
        double degrees = step / 2.0;
        int apart = CornersApart(module, geometry::ComputeHostNormals(object.mesh, {degrees, {}}));
        if (apart < best.cornersApart) {
            best.bestDegrees = degrees;
            best.cornersApart = apart;
        }
    }
    return best;
}

// The figures the README quotes.
struct Measured {
    const char *stem;
    SingleAngleGap gap;
};
constexpr Measured ReadmeFigures[] = {
    {"machined_part", {45, 80, 624}},
    {"banded_knob", {45.5, 64, 192}},
};

Vec3 At(const std::vector<CornerNormal> &normals, int corner) {
    return normals[corner];
}

TEST(PreviewObjects, PartsFacesStayFlatWhileItsFilletsSmoothIntoThem) {
    PreviewObject part = MachinedPart();
    std::vector<CornerNormal> module = ModuleNormals(part);
    std::vector<int> first = FirstCorners(part.mesh);
    // Per point, the side faces (normals level) that use it.
    std::map<int, Vec3> sideFaceAt;
    for (size_t p = 0; p < part.mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = part.mesh.polygons[p];
        Vec3 own = geometry::PolygonNormal(part.mesh, polygon);
        if (polygon.part != "Faces") continue;
        for (size_t c = 0; c < polygon.points.size(); ++c) {
            ASSERT_LT(DegreesBetween(At(module, first[p] + c), own), 1e-3) << p;
            if (std::abs(own.y) < 1e-6) sideFaceAt[polygon.points[c]] = own;
        }
    }
    int blended = 0;
    for (size_t p = 0; p < part.mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = part.mesh.polygons[p];
        if (polygon.part != "Fillets") continue;
        Vec3 own = geometry::PolygonNormal(part.mesh, polygon);
        for (size_t c = 0; c < polygon.points.size(); ++c) {
            auto face = sideFaceAt.find(polygon.points[c]);
            if (face == sideFaceAt.end()) continue;
            EXPECT_LT(DegreesBetween(At(module, first[p] + c), face->second),
                      DegreesBetween(own, face->second) - 5);
            ++blended;
        }
    }
    EXPECT_EQ(blended, 16);  // two corners on each of the eight edges where fillets meet faces
}

TEST(PreviewObjects, PartsCylindersShadeRoundBesideCrispChamfers) {
    PreviewObject part = MachinedPart();
    std::vector<CornerNormal> module = ModuleNormals(part);
    std::vector<int> first = FirstCorners(part.mesh);
    std::map<int, std::vector<Vec3>> cylinderAt, chamferAt;
    for (size_t p = 0; p < part.mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = part.mesh.polygons[p];
        for (size_t c = 0; c < polygon.points.size(); ++c) {
            Vec3 normal = At(module, first[p] + c);
            int point = polygon.points[c];
            if (polygon.part == "Cylinders") {
                // Level, untouched by the chamfers, and turned from the facet's own normal
                // towards its neighbour's, as on a round wall.
                EXPECT_LT(std::abs(normal.y), 1e-6);
                EXPECT_GT(DegreesBetween(normal, geometry::PolygonNormal(part.mesh, polygon)), 5);
                cylinderAt[point].push_back(normal);
            }
            if (polygon.part == "Chamfers") chamferAt[point].push_back(normal);
        }
    }
    int edges = 0;
    for (const auto &[point, cylinders] : cylinderAt) {
        if (!chamferAt.contains(point)) continue;
        for (Vec3 cylinder : cylinders)
            for (Vec3 chamfer : chamferAt[point]) EXPECT_GT(DegreesBetween(cylinder, chamfer), 15);
        ++edges;
    }
    EXPECT_EQ(edges, 24);  // where the boss and the bore meet their chamfers
}

TEST(PreviewObjects, KnobsWallsShadeRoundBesideCrispChamfers) {
    PreviewObject knob = BandedKnob();
    std::vector<CornerNormal> module = ModuleNormals(knob);
    std::vector<int> first = FirstCorners(knob.mesh);
    std::map<int, std::vector<Vec3>> wallAt, chamferAt;
    for (size_t p = 0; p < knob.mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = knob.mesh.polygons[p];
        for (size_t c = 0; c < polygon.points.size(); ++c) {
            Vec3 normal = At(module, first[p] + c);
            int point = polygon.points[c];
            if (polygon.part == "Walls") {
                // Level and straight out through the corner, as on a round wall.
                const std::array<float, 3> &at = knob.mesh.points[point];
                EXPECT_LT(DegreesBetween(normal, Vec3{at[0], 0, at[2]}), 1e-3);
                wallAt[point].push_back(normal);
            }
            if (polygon.part == "Chamfers") chamferAt[point].push_back(normal);
        }
    }
    int edges = 0;
    for (const auto &[point, walls] : wallAt) {
        if (!chamferAt.contains(point)) continue;
        for (Vec3 wall : walls)
            for (Vec3 chamfer : chamferAt[point]) EXPECT_GT(DegreesBetween(wall, chamfer), 25);
        ++edges;
    }
    EXPECT_EQ(edges, 16);  // where each of the two walls meets its chamfer
}

TEST(PreviewObjects, NoSingleSmoothingAngleGivesWhatTheModuleGives) {
    std::vector<PreviewObject> objects = PreviewObjects();
    ASSERT_EQ(objects.size(), std::size(ReadmeFigures));
    for (size_t i = 0; i < objects.size(); ++i) {
        const PreviewObject &object = objects[i];
        SCOPED_TRACE(object.stem);
        SingleAngleGap gap = BestSingleAngle(object, ModuleNormals(object));
        std::printf("%s: best single angle %g, %d of %d corners more than %g degrees apart\n",
                    object.stem.c_str(), gap.bestDegrees, gap.cornersApart, gap.corners,
                    ApartDegrees);
        EXPECT_GE(gap.cornersApart * 20, gap.corners) << "fewer than 5% of corners apart";
        EXPECT_STREQ(ReadmeFigures[i].stem, object.stem.c_str());
        EXPECT_EQ(ReadmeFigures[i].gap.bestDegrees, gap.bestDegrees);
        EXPECT_EQ(ReadmeFigures[i].gap.cornersApart, gap.cornersApart);
        EXPECT_EQ(ReadmeFigures[i].gap.corners, gap.corners);
        // The host's own picture shows the surface at that best angle.
        EXPECT_EQ(object.hostSmoothingDegrees, gap.bestDegrees);
    }
}

}  // namespace
