// The evaluation driven as the host drives it: handler activated, instances made by the handler's
// create, samples shaded through the handler's evaluate.
#include "shader/evaluate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

#include "host/scene/geometric_normal.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "module/module_objects.h"
#include "plugin_tests/linked_module.h"
#include "shader/vec3.h"

namespace {

using geometry::GeometricNormal;
using render::ShadingRecord;

constexpr double Degree = std::numbers::pi / 180;

Scene SceneOf(MeshData mesh) {
    Scene scene;
    scene.items.push_back({"Object", MakeObjectFile("object.lwo", std::move(mesh))});
    return scene;
}

Vec3 Smoothed(const ShadingRecord &sample) {
    return Vec3::from(sample->wNorm0);
}

Vec3 Shading(const ShadingRecord &sample) {
    return Vec3::from(sample->wNorm);
}

void ExpectNear(const Vec3 &actual, const Vec3 &expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectAllAccessorsReleased(LinkedSession &host) {
    MeshAccessTotals totals = host.objectInfoService().ledger().totals();
    EXPECT_EQ(totals.obtained, totals.destroyed);
    EXPECT_EQ(host.objectInfoService().unfrozenMeshInfoCalls(), 0);
}

// Two quads of set "rim" folded by 0.4 radians along their shared edge (points 1 and 4).
MeshData Fold(const char *rightSet = "rim") {
    MeshData mesh = MakeFoldedGrid(2, 1, 0.4, {.surface = "Default", .part = "rim"});
    if (rightSet)
        mesh.polygons[1].part = rightSet;
    else
        mesh.polygons[1].part.reset();
    return mesh;
}

Vec3 NormalOf(const MeshData &mesh, int polygon) {
    LWDVector normal;
    geometry::ToArray(GeometricNormal(mesh, mesh.polygons[polygon]), normal);
    return Vec3::from(normal);
}

// The left quad of Fold() smoothed with the right one, sampled at its centre.
Vec3 FoldSmoothedAtCentre(const MeshData &mesh) {
    Vec3 own = NormalOf(mesh, 0), shared = normalize(own + NormalOf(mesh, 1));
    return normalize(0.25 * own + 0.25 * shared + 0.25 * shared + 0.25 * own);
}

struct NothingCase {
    const char *name;
    std::function<void(LinkedSession &, LWInstance, ShadingRecord &)> arrange;
};

TEST(Evaluate, LeavesTheRecordExactlyAsTheHostSetItWhenItCannotSmooth) {
    auto switchOff = [](const char *service) {
        return [service](LinkedSession &host, LWInstance, ShadingRecord &) {
            host.serviceTable().switchOff(service);
            host.activateAgain();
        };
    };
    std::vector<NothingCase> cases = {
        {"no item info", switchOff("LW Item Info 3")},
        {"no object info", switchOff("LW Object Info 4")},
        {"no surface functions", switchOff("Surface Functions 2")},
        {"no polygon", [](auto &, auto, auto &s) { s->polygon = nullptr; }},
        {"no object", [](auto &, auto, auto &s) { s->objID = nullptr; }},
        {"no accessor", [](auto &host, auto, auto &) { host.objectInfoService().failMeshInfo(); }},
        {"no accessor for the core",
         [](auto &host, auto, auto &) { host.objectInfoService().failMeshInfoAfter(1); }},
        {"polygon without set",
         [](auto &host, auto, auto &s) {
             s->polygon = PolygonID(host.scene().items[0].file->mesh.polygons[1]);
         }},
        {"set without entry",
         [](auto &host, auto instance, auto &) {
             LoadSets(host, instance, {{"Rim", 1, 1.0, 0}, {"rim ", 1, 1.0, 0}});
         }},
        {"smoothing off",
         [](auto &host, auto instance, auto &) {
             LoadSets(host, instance, {{"rim", 0, 1.0, 0}});
         }},
        {"first of two equal names off",
         [](auto &host, auto instance, auto &) {
             LoadSets(host, instance, {{"rim", 0, 1.0, 0}, {"rim", 1, 1.0, 0}});
         }},
    };
    for (const NothingCase &nothing : cases) {
        SCOPED_TRACE(nothing.name);
        LinkedSession host(SceneOf(Fold(nullptr)));
        LWInstance instance = host.create();
        AddSet(host, instance, "rim", 1.0);
        ShadingRecord sample = host.sampleOn(0, 0);
        sample->wNorm[0] += 0.25;  // a bump
        nothing.arrange(host, instance, sample);
        ShadingRecord before = sample;
        host.shade(instance, sample);
        EXPECT_EQ(std::memcmp(&before.access(), &sample.access(), sizeof sample.access()), 0);
        ExpectAllAccessorsReleased(host);
    }
}

TEST(Evaluate, SmoothsWithoutTheSceneObjectsService) {
    LinkedSession host(SceneOf(Fold()));
    host.serviceTable().switchOff("Scene Objects 4");
    host.activateAgain();
    LWInstance instance = host.create();
    AddSet(host, instance, "rim", 1.0);
    ShadingRecord sample = host.sampleOn(0, 0);
    host.shade(instance, sample);
    ExpectNear(Smoothed(sample), FoldSmoothedAtCentre(host.scene().items[0].file->mesh));
    ExpectNear(Shading(sample), Smoothed(sample), 1e-15);
    ExpectAllAccessorsReleased(host);
}

TEST(Evaluate, NeighboursOfOtherSetsAndSurfacesCountUnlessSameSetOnly) {
    struct Case {
        const char *rightSet;
        int sameSetOnly;
        bool smoothed;
    };
    for (Case c : {Case{"rim", 0, true}, Case{"hub", 0, true}, Case{nullptr, 0, true},
                   Case{"rim", 1, true}, Case{"hub", 1, false}, Case{nullptr, 1, false}}) {
        SCOPED_TRACE(std::string(c.rightSet ? c.rightSet : "untagged") + " " +
                     std::to_string(c.sameSetOnly));
        MeshData mesh = Fold(c.rightSet);
        mesh.polygons[1].surface = "Other";
        LinkedSession host(SceneOf(mesh));
        LWInstance instance = host.create();
        AddSet(host, instance, "rim", 1.0, c.sameSetOnly);
        ShadingRecord sample = host.sampleOn(0, 0);
        host.shade(instance, sample);
        ExpectNear(Smoothed(sample), c.smoothed ? FoldSmoothedAtCentre(mesh) : NormalOf(mesh, 0));
        ExpectAllAccessorsReleased(host);
    }
}

TEST(Evaluate, OnlyTheFirstEntryOfASetIsUsed) {
    LinkedSession host(SceneOf(Fold()));
    LWInstance instance = host.create();
    AddSet(host, instance, "rim", 0.0);
    AddSet(host, instance, "rim", 1.0);
    ShadingRecord sample = host.sampleOn(0, 0);
    host.shade(instance, sample);
    ExpectNear(Smoothed(sample), NormalOf(host.scene().items[0].file->mesh, 0));
}

TEST(Evaluate, AngleZeroShadesFlatTurnedToTheGeometricNormal) {
    LinkedSession host(SceneOf(MakeCylinder(7, 3, true, {.surface = "S", .part = "can"})));
    LWInstance instance = host.create();
    AddSet(host, instance, "can", 0.0);
    const MeshData &mesh = host.scene().items[0].file->mesh;
    for (int polygon = 0; polygon < static_cast<int>(mesh.polygons.size()); ++polygon) {
        SCOPED_TRACE(polygon);
        ShadingRecord front = host.sampleOn(0, polygon, 0.3f, 0.8f);
        ShadingRecord back = front;
        for (double &axis : back->gNorm) axis = -axis;
        host.shade(instance, front);
        host.shade(instance, back);
        ExpectNear(Smoothed(front), NormalOf(mesh, polygon));
        ExpectNear(Shading(front), NormalOf(mesh, polygon));
        ExpectNear(Smoothed(back), -NormalOf(mesh, polygon));
        ExpectNear(Shading(back), -NormalOf(mesh, polygon));
    }
    ExpectAllAccessorsReleased(host);
}

// A flat quad (normal +z) and a neighbour across its edge from point 2 to point 3, tilted so
// that the cosine between the two normals is exactly 0.8 in double precision.
MeshData ThreeFourFive() {
    MeshData mesh;
    mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {1, 5, 3}, {0, 5, 3}};
    mesh.polygons.push_back({{0, 1, 2, 3}, LWPOLTYPE_FACE, "S", "rim"});
    mesh.polygons.push_back({{3, 2, 4, 5}, LWPOLTYPE_FACE, "S", "rim"});
    return mesh;
}

TEST(Evaluate, ANeighbourExactlyAtTheSmoothingAngleIsLeftOut) {
    const double cosine = 0.8;
    double angle = std::acos(cosine);
    for (int step = 0; step < 8 && std::cos(angle) != cosine; ++step)
        angle = std::nextafter(angle, std::cos(angle) > cosine ? 4.0 : 0.0);
    ASSERT_EQ(std::cos(angle), cosine);
    double wider = angle;
    while (!(std::cos(wider) < cosine)) wider = std::nextafter(wider, 4.0);

    LinkedSession host(SceneOf(ThreeFourFive()));
    LWInstance exact = host.create(), beyond = host.create();
    AddSet(host, exact, "rim", angle);
    AddSet(host, beyond, "rim", wider);
    ShadingRecord atExact = host.sampleOn(0, 0), atBeyond = host.sampleOn(0, 0);
    for (ShadingRecord *sample : {&atExact, &atBeyond}) {
        for (float &weight : (*sample)->weights) weight = 0;
        (*sample)->weights[2] = 1;
    }
    host.shade(exact, atExact);
    host.shade(beyond, atBeyond);
    EXPECT_EQ(Smoothed(atExact), (Vec3{0, 0, 1}));
    ExpectNear(Smoothed(atBeyond), normalize(Vec3{0, -0.6, 1.8}));
}

TEST(Evaluate, SideFollowsTheGeometricNormalAndZeroKeepsIt) {
    LinkedSession host(SceneOf(MakeGrid(2, 1, {.surface = "S", .part = "flat"})));
    LWInstance instance = host.create();
    AddSet(host, instance, "flat", 1.0);
    auto shadeWith = [&](Vec3 geometric) {
        ShadingRecord sample = host.sampleOn(0, 1);
        geometric.store(sample->gNorm);
        host.shade(instance, sample);
        return Smoothed(sample);
    };
    EXPECT_EQ(shadeWith({1, 0, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(shadeWith({0, 0, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(shadeWith({5, 5, -1e-300}), (Vec3{-0.0, -0.0, -1}));
}

TEST(Evaluate, DegeneratePolygonsAddNothingAndNeverFlip) {
    MeshData odd = MakeOddPolygons(6);
    TagAll(odd, {.surface = "S", .part = "odd"});
    LinkedSession host(SceneOf(odd));
    LWInstance wide = host.create(), narrow = host.create();
    AddSet(host, wide, "odd", 100 * Degree);
    AddSet(host, narrow, "odd", 60 * Degree);
    // The collinear triangle: its own normal is zero, so beyond 90 degrees every neighbour passes
    // and only the n-gon adds a direction; below 90 none passes and the result is zero.
    ShadingRecord sample = host.sampleOn(0, 4);
    Vec3{0, 0, -1}.store(sample->gNorm);
    ShadingRecord unsmoothed = sample;
    host.shade(wide, sample);
    EXPECT_EQ(Smoothed(sample), (Vec3{0, 0, 1}));
    host.shade(narrow, unsmoothed);
    EXPECT_EQ(Smoothed(unsmoothed), Vec3{});
    EXPECT_EQ(Shading(unsmoothed), Vec3{});
    ExpectAllAccessorsReleased(host);
}

TEST(Evaluate, TheBumpCarriesOverOntoTheSmoothedNormal) {
    LinkedSession host(SceneOf(Fold()));
    LWInstance instance = host.create();
    AddSet(host, instance, "rim", 1.0);
    ShadingRecord sample = host.sampleOn(0, 0);
    Vec3 bump{0.05, -0.1, 0.02};
    (Vec3::from(sample->wNorm0) + bump).store(sample->wNorm);
    host.shade(instance, sample);
    Vec3 smoothed = FoldSmoothedAtCentre(host.scene().items[0].file->mesh);
    ExpectNear(Smoothed(sample), smoothed);
    ExpectNear(Shading(sample), normalize(smoothed + bump));
    EXPECT_NEAR(length(Shading(sample)), 1.0, 1e-15);
}

TEST(Evaluate, UnweldedSeamsKeepTheirCrease) {
    MeshData seam = MakeUnweldedSeam(20 * Degree);
    TagAll(seam, {.surface = "S", .part = "seam"});
    LinkedSession host(SceneOf(seam));
    LWInstance instance = host.create();
    AddSet(host, instance, "seam", 89.5 * Degree);
    for (int polygon : {0, 1}) {
        ShadingRecord sample = host.sampleOn(0, polygon, polygon ? 0.0f : 1.0f, 0.5f);
        host.shade(instance, sample);
        ExpectNear(Smoothed(sample), NormalOf(seam, polygon));
    }
}

TEST(Evaluate, NullVertexSlotsWeighTheSamplePolygonAndStayInTheCache) {
    LinkedSession host(SceneOf(Fold()));
    LWInstance instance = host.create();
    AddSet(host, instance, "rim", 1.0);
    ShadingRecord sample = host.sampleOn(0, 0);
    sample->verts[0] = sample->verts[2] = sample->verts[3] = nullptr;
    sample->weights[0] = 0.5f;
    sample->weights[1] = 0.5f;
    sample->weights[2] = sample->weights[3] = 0;
    host.shade(instance, sample);
    const MeshData &mesh = host.scene().items[0].file->mesh;
    Vec3 own = NormalOf(mesh, 0);
    ExpectNear(Smoothed(sample), normalize(0.5 * own + 0.5 * normalize(own + NormalOf(mesh, 1))));
    // No slot's point lists the sample polygon: its normal still comes from the host.
    ShadingRecord bare = host.sampleOn(0, 0);
    for (LWPntID &point : bare->verts) point = nullptr;
    host.shade(instance, bare);
    ExpectNear(Smoothed(bare), own);

    LWItemID object = ItemID(host.scene().items[0]);
    LWMeshInfo *accessor = host.objectInfoService().record()->meshInfo(object, 1);
    ShaderLockHold hold(shaderLock);
    AdjacencyCache *cache = adjacencyCacheList.findOrBuild(*accessor, object);
    ASSERT_NE(cache, nullptr);
    EXPECT_EQ(cache->pointCount(), mesh.points.size() + 1);
    accessor->destroy(accessor);
}

// A shallow cone of `sides` triangles around an apex (point 0), each triangle apex-first.
MeshData Cone(int sides) {
    MeshData mesh;
    mesh.points.push_back({0, 0, 0.2f});
    for (int side = 0; side < sides; ++side) {
        double angle = 2 * std::numbers::pi * side / sides;
        mesh.points.push_back({float(std::cos(angle)), float(std::sin(angle)), 0});
    }
    for (int side = 0; side < sides; ++side)
        mesh.polygons.push_back(
            {{0, 1 + side, 1 + (side + 1) % sides}, LWPOLTYPE_FACE, "S", "cone"});
    return mesh;
}

TEST(Evaluate, ManyNeighboursAroundOnePointAllCount) {
    const int sides = 48;
    LinkedSession host(SceneOf(Cone(sides)));
    LWInstance instance = host.create();
    AddSet(host, instance, "cone", 89.5 * Degree);
    ShadingRecord sample = host.sampleOn(0, 0);
    host.shade(instance, sample);

    const MeshData &mesh = host.scene().items[0].file->mesh;
    Vec3 apex;
    for (int polygon = 0; polygon < sides; ++polygon) apex += NormalOf(mesh, polygon);
    Vec3 own = NormalOf(mesh, 0);
    Vec3 expected = normalize(normalize(apex) + normalize(own + NormalOf(mesh, sides - 1)) +
                              normalize(own + NormalOf(mesh, 1)));
    ExpectNear(Smoothed(sample), expected, 1e-9);
}

TEST(Evaluate, AccessorsWithoutDestroyAreLeftAlone) {
    LinkedSession host(SceneOf(Fold()));
    host.objectInfoService().omitDestroy(true);
    LWInstance instance = host.create();
    AddSet(host, instance, "rim", 1.0);
    ShadingRecord sample = host.sampleOn(0, 0);
    host.shade(instance, sample);
    ExpectNear(Smoothed(sample), FoldSmoothedAtCentre(host.scene().items[0].file->mesh));
    MeshAccessTotals totals = host.objectInfoService().ledger().totals();
    EXPECT_EQ(totals.obtained, 2);
    EXPECT_EQ(totals.destroyed, 0);
}

TEST(Evaluate, BuildsEachObjectsCacheOncePerRender) {
    Scene scene = SceneOf(MakeTorus(12, 6, 2));
    scene.items.push_back({"Clone", scene.items[0].file});
    LinkedSession host(std::move(scene));
    LWInstance instance = host.create();
    AddSet(host, instance, "band0", 1.0);
    AddSet(host, instance, "band1", 1.0, 1);
    auto scans = [&] { return host.objectInfoService().ledger().totals()[MeshCall::scanPolys]; };
    host.beginRender();
    for (int item : {0, 1})
        for (int polygon = 0; polygon < 72; polygon += 5) {
            ShadingRecord sample = host.sampleOn(item, polygon);
            host.shade(instance, sample);
        }
    EXPECT_EQ(scans(), 4);
    host.endRender();
    ShadingRecord sample = host.sampleOn(1, 0);
    host.shade(instance, sample);
    EXPECT_EQ(scans(), 6);
    ExpectAllAccessorsReleased(host);
}

// A render shades many objects: each is smoothed over its own mesh, whichever was shaded before
// it, exactly as when it is the only object of its render.
TEST(Evaluate, EachObjectOfARenderIsSmoothedOverItsOwnMesh) {
    Scene scene = SceneOf(MakeTorus(12, 6, 2));
    scene.items.push_back(
        {"Can", MakeObjectFile("can.lwo", MakeCylinder(12, 3, true, {.part = "band0"}))});
    LinkedSession host(std::move(scene));
    LWInstance instance = host.create();
    AddSet(host, instance, "band0", 1.0);
    AddSet(host, instance, "band1", 1.2);
    constexpr int Polygons = 36;
    auto shaded = [&](int item, int polygon) {
        ShadingRecord sample = host.sampleOn(item, polygon, 0.25f, 0.75f);
        host.shade(instance, sample);
        return Smoothed(sample);
    };
    std::vector<Vec3> alone[2];
    for (int item : {0, 1}) {
        host.beginRender();
        for (int polygon = 0; polygon < Polygons; ++polygon)
            alone[item].push_back(shaded(item, polygon));
        host.endRender();
    }
    host.beginRender();
    for (int polygon = 0; polygon < Polygons; ++polygon)
        for (int item : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "item " << item << ", polygon " << polygon);
            ExpectNear(shaded(item, polygon), alone[item][polygon], 0);
        }
    host.endRender();
    ExpectAllAccessorsReleased(host);
}

}  // namespace
