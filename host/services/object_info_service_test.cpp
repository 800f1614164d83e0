#include "host/services/object_info_service.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"

namespace {

Scene BoxAndGrid() {
    Scene scene;
    scene.items.push_back({"Box", MakeObjectFile("objects/box.lwo", MakeBox())});
    scene.items.push_back({"Grid", MakeObjectFile("objects/grid.lwo", MakeGrid(3, 2))});
    return scene;
}

class ObjectInfo : public ::testing::Test {
  protected:
    LWItemID box() const { return ItemID(scene.items[0]); }
    LWItemID grid() const { return ItemID(scene.items[1]); }

    Scene scene = BoxAndGrid();
    ObjectInfoService service{scene};
    LWObjectInfo &info = *service.record();
};

TEST_F(ObjectInfo, IsServedUnderItsNameAndAnswersPerItem) {
    ServiceTable table;
    service.registerIn(table);
    EXPECT_EQ(table.global()("LW Object Info 4", GFUSE_TRANSIENT), &info);
    EXPECT_STREQ(info.filename(grid()), "objects/grid.lwo");
    EXPECT_EQ(info.numPoints(grid()), 12);
    EXPECT_EQ(info.numPolygons(grid()), 6);
    EXPECT_EQ(info.numPolygons(box()), 6);
    EXPECT_EQ(service.filenameCalls(), 1);
}

TEST_F(ObjectInfo, ForeignItemsAnswerNothing) {
    int elsewhere;
    for (LWItemID foreign :
         {LWItemID(nullptr), LWItemID(&elsewhere), LWItemID(reinterpret_cast<char *>(box()) + 1)}) {
        EXPECT_EQ(info.filename(foreign), nullptr);
        EXPECT_EQ(info.numPoints(foreign), 0);
        EXPECT_EQ(info.meshInfo(foreign, 1), nullptr);
    }
    EXPECT_EQ(service.ledger().totals().obtained, 0);
}

TEST_F(ObjectInfo, OnlyOneServiceServesAtATime) {
    EXPECT_THROW(ObjectInfoService second(scene), std::logic_error);
    EXPECT_STREQ(info.filename(box()), "objects/box.lwo");
}

TEST_F(ObjectInfo, CountsAccessorsAndTheirCalls) {
    LWMeshInfo *first = info.meshInfo(box(), 1);
    LWMeshInfo *second = info.meshInfo(grid(), 0);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    first->numPolygons(first);
    second->numPolygons(second);
    second->polSize(second, nullptr);
    first->destroy(first);
    MeshAccessTotals partial = service.ledger().totals();
    EXPECT_EQ(partial.obtained, 2);
    EXPECT_EQ(partial.destroyed, 1);
    EXPECT_EQ(partial[MeshCall::numPolygons], 1);
    second->destroy(second);
    MeshAccessTotals totals = service.ledger().totals();
    EXPECT_EQ(totals.destroyed, 2);
    EXPECT_EQ(totals[MeshCall::numPolygons], 2);
    EXPECT_EQ(totals[MeshCall::polSize], 1);
    EXPECT_EQ(service.meshInfoCalls(), 2);
    EXPECT_EQ(service.unfrozenMeshInfoCalls(), 1);
}

TEST_F(ObjectInfo, MeshInfoFailsAfterItsBudgetUntilToldToStop) {
    service.failMeshInfoAfter(1);
    LWMeshInfo *granted = info.meshInfo(box(), 1);
    EXPECT_NE(granted, nullptr);
    EXPECT_EQ(info.meshInfo(box(), 1), nullptr);
    service.stopFailingMeshInfo();
    LWMeshInfo *again = info.meshInfo(box(), 1);
    EXPECT_NE(again, nullptr);
    granted->destroy(granted);
    again->destroy(again);
    service.failMeshInfo();
    EXPECT_EQ(info.meshInfo(grid(), 1), nullptr);
    EXPECT_EQ(service.ledger().totals().obtained, 2);
}

TEST_F(ObjectInfo, AccessorsWithoutDestroyStillCountTheirCalls) {
    service.omitDestroy(true);
    LWMeshInfo *accessor = info.meshInfo(grid(), 1);
    ASSERT_NE(accessor, nullptr);
    EXPECT_EQ(accessor->destroy, nullptr);
    accessor->polSize(accessor, PolygonID(scene.items[1].file->mesh.polygons[0]));
    MeshAccessTotals totals = service.ledger().totals();
    EXPECT_EQ(totals.obtained, 1);
    EXPECT_EQ(totals.destroyed, 0);
    EXPECT_EQ(totals[MeshCall::polSize], 1);
}

}  // namespace
