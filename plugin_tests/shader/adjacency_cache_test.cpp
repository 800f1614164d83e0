#include "shader/adjacency_cache.h"

#include <gtest/gtest.h>

#include <vector>

#include "bench/hashed_adjacency_cache.h"
#include "bench/ordered_adjacency_cache.h"
#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/services/mesh_accessor.h"

namespace {

// The module's table lends out records, the baselines their own lists of ids.
template <typename List>
std::vector<LWPolID> Listed(const List &list) {
    std::vector<LWPolID> listed;
    for (int index = 0; index < list.count; ++index) listed.push_back(IdOf(list[index]));
    return listed;
}

template <typename Cache>
struct Built {
    explicit Built(const MeshData &mesh) : cache(nullptr) {
        MeshCorners corners(mesh);
        LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
        EXPECT_TRUE(cache.build(*accessor));
        accessor->destroy(accessor);
    }
    MeshAccessLedger ledger;
    Cache cache;
};

template <typename Cache>
class AdjacencyTable : public ::testing::Test {};
using CacheKinds = ::testing::Types<AdjacencyCache, HashedAdjacencyCache, OrderedAdjacencyCache>;
TYPED_TEST_SUITE(AdjacencyTable, CacheKinds);

TYPED_TEST(AdjacencyTable, ListsEachPolygonAtItsPointsInScanOrderWithTwoScans) {
    MeshData grid = MakeGrid(2, 2);
    Built<TypeParam> built(grid);
    auto polygon = [&](int index) { return PolygonID(grid.polygons[index]); };
    EXPECT_EQ(built.cache.pointCount(), 9u);
    EXPECT_EQ(Listed(built.cache.polygonsAt(PointID(grid, 4))),
              (std::vector{polygon(0), polygon(1), polygon(2), polygon(3)}));
    EXPECT_EQ(Listed(built.cache.polygonsAt(PointID(grid, 1))),
              (std::vector{polygon(0), polygon(1)}));
    EXPECT_EQ(built.ledger.totals()[MeshCall::scanPolys], 2);
    EXPECT_EQ(built.ledger.totals()[MeshCall::pntOtherPos], 0);
}

TYPED_TEST(AdjacencyTable, OddPolygonsAreRecordedAtEveryCorner) {
    MeshData odd = MakeOddPolygons(5);
    Built<TypeParam> built(odd);
    std::vector<LWPolID> expected;
    for (const MeshPolygon &polygon : odd.polygons)
        for (int point : polygon.points)
            if (point == 0) expected.push_back(PolygonID(polygon));
    // Among them: the line, the one-point polygon, the quad twice, the coincident one three times.
    EXPECT_EQ(expected.size(), 9u);
    EXPECT_EQ(Listed(built.cache.polygonsAt(PointID(odd, 0))), expected);
}

TYPED_TEST(AdjacencyTable, UnknownPointsGetAnEmptyListThatStays) {
    MeshData grid = MakeGrid(1, 1);
    grid.points.push_back({5, 5, 5});  // used by no polygon
    Built<TypeParam> built(grid);
    EXPECT_EQ(built.cache.pointCount(), 4u);
    EXPECT_EQ(built.cache.polygonsAt(PointID(grid, 4)).count, 0);
    EXPECT_EQ(built.cache.polygonsAt(nullptr).count, 0);
    EXPECT_EQ(built.cache.pointCount(), 6u);
    EXPECT_EQ(built.cache.polygonsAt(nullptr).count, 0);
    EXPECT_EQ(built.cache.pointCount(), 6u);
    EXPECT_EQ(built.cache.polygonsAt(PointID(grid, 3)).count, 1);
}

// A neighbour's normal is read through the corners its record names: 0, 1 and n - 1, or none
// for a polygon of fewer than three corners.
TEST(AdjacencyTable, RecordsTheCornersOfEachPolygonsNormal) {
    MeshData odd = MakeOddPolygons(5);
    Built<AdjacencyCache> built(odd);
    PolygonList atZero = built.cache.polygonsAt(PointID(odd, 0));
    for (int index = 0; index < atZero.count; ++index) {
        const ListedPolygon &listed = atZero[index];
        const MeshPolygon &polygon = *FindPolygon(odd, listed.id);
        std::array<LWPntID, 3> expected{};
        if (polygon.points.size() >= 3)
            expected = {PointID(odd, polygon.points[0]), PointID(odd, polygon.points[1]),
                        PointID(odd, polygon.points.back())};
        EXPECT_EQ(listed.normalCorners, expected) << "polygon " << &polygon - odd.polygons.data();
    }
}

// Enough points to grow the index several times past its first size, each listed once more
// for every polygon at it.
TEST(AdjacencyTable, AGrownIndexStillFindsEveryPoint) {
    MeshData grid = MakeGrid(60, 40);
    Built<AdjacencyCache> built(grid);
    Built<OrderedAdjacencyCache> ordered(grid);
    EXPECT_EQ(built.cache.pointCount(), grid.points.size());
    for (int point = 0; point < static_cast<int>(grid.points.size()); ++point)
        ASSERT_EQ(Listed(built.cache.polygonsAt(PointID(grid, point))),
                  Listed(ordered.cache.polygonsAt(PointID(grid, point))));
}

TYPED_TEST(AdjacencyTable, EmptyMeshGivesAnEmptyTable) {
    Built<TypeParam> built(MeshData{});
    EXPECT_EQ(built.cache.pointCount(), 0u);
    EXPECT_EQ(built.cache.polygonsAt(nullptr).count, 0);
}

TEST(AdjacencyTable, EveryTableAgreesOnATorus) {
    MeshData torus = MakeTorus(16, 8, 3);
    Built<AdjacencyCache> flat(torus);
    Built<HashedAdjacencyCache> hashed(torus);
    Built<OrderedAdjacencyCache> ordered(torus);
    for (int point = 0; point < static_cast<int>(torus.points.size()); ++point) {
        EXPECT_EQ(Listed(flat.cache.polygonsAt(PointID(torus, point))),
                  Listed(ordered.cache.polygonsAt(PointID(torus, point))));
        EXPECT_EQ(Listed(hashed.cache.polygonsAt(PointID(torus, point))),
                  Listed(ordered.cache.polygonsAt(PointID(torus, point))));
    }
}

class CacheList : public ::testing::Test {
  protected:
    CacheList() {
        scene.items.push_back({"Grid", MakeObjectFile("grid.lwo", MakeGrid(2, 2))});
        scene.items.push_back({"Box", MakeObjectFile("box.lwo", MakeBox())});
    }
    AdjacencyCache &findOrBuild(int item) {
        LWItemID id = ItemID(scene.items[item]);
        MeshCorners corners(scene.items[item].file->mesh);
        LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
        AdjacencyCache *cache = list.findOrBuild(*accessor, id);
        accessor->destroy(accessor);
        EXPECT_NE(cache, nullptr);
        return *cache;
    }
    long scans() const { return ledger.totals()[MeshCall::scanPolys]; }

    Scene scene;
    MeshAccessLedger ledger;
    AdjacencyCacheList list;
};

TEST_F(CacheList, BuildsOncePerObjectUntilCleared) {
    AdjacencyCache &grid = findOrBuild(0);
    EXPECT_EQ(grid.objectID(), ItemID(scene.items[0]));
    EXPECT_EQ(&findOrBuild(0), &grid);
    EXPECT_EQ(scans(), 2);
    AdjacencyCache &box = findOrBuild(1);
    EXPECT_NE(&box, &grid);
    EXPECT_EQ(box.pointCount(), 8u);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(scans(), 4);

    list.clear();
    list.clear();
    EXPECT_EQ(list.size(), 0u);
    // Built again from the mesh of this moment.
    scene.items[0].file->mesh.polygons.pop_back();
    EXPECT_EQ(findOrBuild(0).pointCount(), 8u);
    EXPECT_EQ(scans(), 6);
}

}  // namespace
