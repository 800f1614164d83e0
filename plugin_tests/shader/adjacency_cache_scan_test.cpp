// The cache against hosts whose scans misbehave: memory running out inside a scan, a second scan
// that shows other corners than the first, and corners whose point is null.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

#include "shader/adjacency_cache.h"

namespace {

using Corners = std::vector<int>;  // the points of one polygon, by number

// A host mesh answering each scan from its own list of polygons. Its scan notes an exception
// that reaches it, as a host built by another compiler could not unwind one.
class ScriptedMesh {
  public:
    explicit ScriptedMesh(std::vector<std::vector<Corners>> scans) : scans(std::move(scans)) {
        info.priv = this;
        info.scanPolys = ScanPolys;
        info.polSize = PolSize;
        info.polVertex = PolVertex;
    }

    // Point -1 is the null point.
    static LWPntID Point(int number) {
        return reinterpret_cast<LWPntID>(static_cast<std::uintptr_t>(number + 1));
    }
    static LWPolID Polygon(int index) {
        return reinterpret_cast<LWPolID>(static_cast<std::uintptr_t>(index + 1));
    }

    // Memory runs out at the `corner`th corner read in scan number `scan` (from 0).
    void runOutOfMemoryAt(int scan, int corner) {
        failingScan = scan;
        cornersBeforeFailure = corner;
    }

    LWMeshInfo info{};
    bool exceptionReachedHost = false;
    int polygonsVisited = 0;

  private:
    static ScriptedMesh &Of(LWMeshInfoID info) { return *static_cast<ScriptedMesh *>(info->priv); }
    const Corners &shown(LWPolID polygon) const {
        return scans[scansRun - 1][reinterpret_cast<std::uintptr_t>(polygon) - 1];
    }

    static std::size_t ScanPolys(LWMeshInfoID info, LWPolScanFunc *visit, void *data) {
        ScriptedMesh &mesh = Of(info);
        int count = static_cast<int>(mesh.scans[mesh.scansRun++].size());
        for (int index = 0; index < count; ++index) {
            ++mesh.polygonsVisited;
            try {
                if (std::size_t result = visit(data, Polygon(index))) return result;
            } catch (...) {
                mesh.exceptionReachedHost = true;
                return ~std::size_t{0};
            }
        }
        return 0;
    }
    static int PolSize(LWMeshInfoID info, LWPolID polygon) {
        return static_cast<int>(Of(info).shown(polygon).size());
    }
    // Stands for the allocation the module makes for each corner it records.
    static LWPntID PolVertex(LWMeshInfoID info, LWPolID polygon, int corner) {
        ScriptedMesh &mesh = Of(info);
        if (mesh.scansRun - 1 == mesh.failingScan && mesh.cornersBeforeFailure-- == 0)
            throw std::bad_alloc();
        return Point(mesh.shown(polygon).at(corner));
    }

    std::vector<std::vector<Corners>> scans;
    int scansRun = 0;
    int failingScan = -1;
    int cornersBeforeFailure = 0;
};

std::vector<LWPolID> Listed(const PolygonList &list) {
    std::vector<LWPolID> listed;
    for (int index = 0; index < list.count; ++index) listed.push_back(list[index].id);
    return listed;
}

const std::vector<Corners> TwoTriangles = {{0, 1, 2}, {2, 1, 3}};

class MemoryRunningOut : public ::testing::TestWithParam<int> {};

TEST_P(MemoryRunningOut, StopsTheScanWithinTheCallbackAndKeepsNoCache) {
    ScriptedMesh mesh({TwoTriangles, TwoTriangles});
    mesh.runOutOfMemoryAt(GetParam(), 1);
    AdjacencyCacheList list;
    EXPECT_EQ(list.findOrBuild(mesh.info, nullptr), nullptr);
    EXPECT_FALSE(mesh.exceptionReachedHost);
    EXPECT_EQ(mesh.polygonsVisited, 2 * GetParam() + 1);
    EXPECT_EQ(list.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(InEitherScan, MemoryRunningOut, ::testing::Values(0, 1));

TEST(SecondScanDiffers, FewerCornersListOnlyThePolygonsSeen) {
    ScriptedMesh mesh({TwoTriangles, {{0, 1, 2}, {1, 3}}});
    AdjacencyCache cache(nullptr);
    ASSERT_TRUE(cache.build(mesh.info));
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(2))),
              std::vector{ScriptedMesh::Polygon(0)});
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(1))),
              (std::vector{ScriptedMesh::Polygon(0), ScriptedMesh::Polygon(1)}));
}

TEST(SecondScanDiffers, MoreCornersNeverWritePastWhatTheFirstScanCounted) {
    // The second polygon meets point 0 a second time and point 4, which the first scan never
    // showed.
    ScriptedMesh mesh({TwoTriangles, {{0, 1, 2}, {2, 1, 3, 0, 0, 4}}});
    AdjacencyCache cache(nullptr);
    ASSERT_TRUE(cache.build(mesh.info));
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(0))),
              std::vector{ScriptedMesh::Polygon(0)});
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(4))), std::vector<LWPolID>{});
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(3))),
              std::vector{ScriptedMesh::Polygon(1)});
}

// The null point is listed like any other, so that a sample's null vertex slot meets the
// polygons the host gave it for.
TEST(NullCorners, AreListedUnderTheNullPoint) {
    const std::vector<Corners> shown = {{0, -1, 2}, {-1, 2, 3, -1}};
    ScriptedMesh mesh({shown, shown});
    AdjacencyCache cache(nullptr);
    ASSERT_TRUE(cache.build(mesh.info));
    EXPECT_EQ(cache.pointCount(), 4u);
    EXPECT_EQ(Listed(cache.polygonsAt(nullptr)),
              (std::vector{ScriptedMesh::Polygon(0), ScriptedMesh::Polygon(1),
                           ScriptedMesh::Polygon(1)}));
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(2))),
              (std::vector{ScriptedMesh::Polygon(0), ScriptedMesh::Polygon(1)}));
    EXPECT_EQ(Listed(cache.polygonsAt(ScriptedMesh::Point(3))),
              std::vector{ScriptedMesh::Polygon(1)});
    EXPECT_EQ(cache.pointCount(), 4u);
    PolygonList atNull = cache.polygonsAt(nullptr);
    EXPECT_EQ(atNull[0].normalCorners,
              (std::array{ScriptedMesh::Point(0), LWPntID{}, ScriptedMesh::Point(2)}));
}

}  // namespace
