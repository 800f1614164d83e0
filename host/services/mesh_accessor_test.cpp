#include "host/services/mesh_accessor.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"

namespace {

struct Accessor {
    explicit Accessor(const MeshData &mesh)
        : mesh(mesh), corners(mesh), info(OpenMeshAccessor(corners, ledger)) {}
    ~Accessor() { info->destroy(info); }
    LWMeshInfo *operator->() const { return info; }

    const MeshData &mesh;
    MeshCorners corners;
    MeshAccessLedger ledger;
    LWMeshInfo *info;
};

std::vector<LWPolID> ScanAll(LWMeshInfo *info) {
    std::vector<LWPolID> seen;
    info->scanPolys(
        info,
        [](void *data, LWPolID polygon) {
            static_cast<std::vector<LWPolID> *>(data)->push_back(polygon);
            return std::size_t{0};
        },
        &seen);
    return seen;
}

TEST(MeshAccessor, ScansVisitEverythingInOrderAndStopAtTheFirstNonZeroResult) {
    MeshData mesh = MakeGrid(2, 2);
    Accessor access(mesh);
    std::vector<LWPolID> seen = ScanAll(access.info);
    ASSERT_EQ(seen.size(), 4u);
    for (std::size_t index = 0; index < seen.size(); ++index)
        EXPECT_EQ(seen[index], PolygonID(mesh.polygons[index]));

    // A 64-bit result with nothing in its low half still stops the scan and comes back whole.
    static constexpr std::size_t Stopped =
        sizeof(std::size_t) > 4 ? ~std::size_t{0} << 16 << 16 : 42;
    struct Stop {
        int visits = 0;
    } stop;
    auto third = [](void *data, LWPolID) {
        int visit = ++static_cast<Stop *>(data)->visits;
        return visit == 3 ? Stopped : 0;
    };
    EXPECT_EQ(access->scanPolys(access.info, third, &stop), Stopped);
    EXPECT_EQ(stop.visits, 3);

    std::vector<LWPntID> points;
    auto collect = [](void *data, LWPntID point) {
        static_cast<std::vector<LWPntID> *>(data)->push_back(point);
        return std::size_t{0};
    };
    EXPECT_EQ(access->scanPoints(access.info, collect, &points), 0u);
    ASSERT_EQ(points.size(), 9u);
    EXPECT_EQ(points[4], PointID(mesh, 4));
    EXPECT_EQ(access->numPoints(access.info), 9);
    EXPECT_EQ(access->numPolygons(access.info), 4);
}

TEST(MeshAccessor, ReadsCornersPositionsAndTags) {
    MeshData mesh = MakeGrid(2, 1, {.surface = "Skin", .part = "rim"});
    mesh.polygons[1].part.reset();
    Accessor access(mesh);
    LWPolID first = PolygonID(mesh.polygons[0]), second = PolygonID(mesh.polygons[1]);
    EXPECT_EQ(access->polSize(access.info, first), 4);
    EXPECT_EQ(access->polType(access.info, first), LWPOLTYPE_FACE);
    EXPECT_EQ(access->polVertex(access.info, first, 2), PointID(mesh, 4));
    EXPECT_EQ(access->polVertex(access.info, first, 4), nullptr);
    EXPECT_EQ(access->polVertex(access.info, first, -1), nullptr);

    float base[3], other[3];
    access->pntBasePos(access.info, PointID(mesh, 5), base);
    access->pntOtherPos(access.info, PointID(mesh, 5), other);
    EXPECT_EQ((std::array{base[0], base[1], base[2]}), (std::array{1.0f, 1.0f, 0.0f}));
    EXPECT_EQ((std::array{other[0], other[1], other[2]}), (std::array{1.0f, 1.0f, 0.0f}));

    EXPECT_STREQ(access->polTag(access.info, first, LWPTAG_PART), "rim");
    EXPECT_STREQ(access->polTag(access.info, second, LWPTAG_SURF), "Skin");
    EXPECT_EQ(access->polTag(access.info, second, LWPTAG_PART), nullptr);
    EXPECT_EQ(access->polTag(access.info, first, LWID_('C', 'O', 'L', 'R')), nullptr);
    EXPECT_EQ(access->pntVLookup(access.info, LWID_('W', 'G', 'H', 'T'), "x"), nullptr);
    EXPECT_EQ(access->pntVSelect(access.info, nullptr), 0);
    float value[3];
    EXPECT_EQ(access->pntVGet(access.info, PointID(mesh, 0), value), 0);
}

TEST(MeshAccessor, IdentifiersOfOtherMeshesAreNotFollowed) {
    MeshData mesh = MakeGrid(1, 1), other = MakeBox();
    Accessor access(mesh);
    LWPolID foreign = PolygonID(other.polygons[0]);
    EXPECT_EQ(access->polSize(access.info, foreign), 0);
    EXPECT_EQ(access->polVertex(access.info, foreign, 0), nullptr);
    EXPECT_EQ(access->polTag(access.info, foreign, LWPTAG_SURF), nullptr);
    EXPECT_EQ(access->polSize(access.info, nullptr), 0);
    float position[3] = {9, 9, 9};
    access->pntOtherPos(access.info, PointID(other, 7), position);
    EXPECT_EQ((std::array{position[0], position[1], position[2]}), (std::array{0.f, 0.f, 0.f}));
}

TEST(MeshAccessor, CornersNamingNoPointGiveTheNullPoint) {
    MeshData mesh = MakeGrid(1, 1);
    mesh.polygons[0].points = {0, 99, -1, 3};
    Accessor access(mesh);
    LWPolID polygon = PolygonID(mesh.polygons[0]);
    EXPECT_EQ(access->polSize(access.info, polygon), 4);
    EXPECT_EQ(access->polVertex(access.info, polygon, 1), nullptr);
    EXPECT_EQ(access->polVertex(access.info, polygon, 2), nullptr);
    EXPECT_EQ(access->polVertex(access.info, polygon, 3), PointID(mesh, 3));
}

TEST(MeshAccessor, CountsReachTheLedgerWhenDestroyed) {
    MeshData mesh = MakeGrid(1, 1);
    MeshAccessLedger ledger;
    MeshCorners corners(mesh);
    LWMeshInfo *info = OpenMeshAccessor(corners, ledger);
    info->polSize(info, PolygonID(mesh.polygons[0]));
    info->polSize(info, PolygonID(mesh.polygons[0]));
    ScanAll(info);
    EXPECT_EQ(ledger.totals()[MeshCall::polSize], 0);
    info->destroy(info);
    MeshAccessTotals totals = ledger.totals();
    EXPECT_EQ(totals.obtained, 1);
    EXPECT_EQ(totals.destroyed, 1);
    EXPECT_EQ(totals[MeshCall::polSize], 2);
    EXPECT_EQ(totals[MeshCall::scanPolys], 1);
    ledger.reset();
    EXPECT_EQ(ledger.totals().destroyed, 0);
}

}  // namespace
