#include "host/services/scene_listing_services.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"

namespace {

class SceneListing : public ::testing::Test {
  protected:
    SceneListing() {
        auto box = MakeObjectFile("objects/box.lwo", MakeBox({"Paint", std::nullopt}));
        auto grid = MakeObjectFile("objects/grid.lwo", MakeGrid(2, 2));
        grid->surfaces.push_back("Paint");
        scene.items = {{"Box", box}, {"Grid", grid}, {"Box (2)", box}};
    }
    LWSurfaceID surface(int item, int index) const {
        return SurfaceID(*scene.items[item].file, index);
    }

    Scene scene;
};

TEST_F(SceneListing, WalksObjectItemsAndListsTheirFilesByIndex) {
    SceneListingServices listing(scene);
    LWItemInfo &items = *listing.itemInfo();
    EXPECT_EQ(items.first(LWI_OBJECT, nullptr), ItemID(scene.items[0]));
    EXPECT_EQ(items.next(ItemID(scene.items[0])), ItemID(scene.items[1]));
    EXPECT_EQ(items.next(ItemID(scene.items[2])), nullptr);
    EXPECT_EQ(items.first(1, nullptr), nullptr);
    EXPECT_EQ(items.first(LWI_OBJECT, ItemID(scene.items[0])), nullptr);
    LWObjectFuncs &objects = *listing.sceneObjects();
    EXPECT_EQ(objects.numObjects(), 3);
    EXPECT_STREQ(objects.filename(2), "objects/box.lwo");
    EXPECT_EQ(objects.filename(3), nullptr);
    EXPECT_EQ(objects.filename(-1), nullptr);
}

TEST_F(SceneListing, SurfacesOfAFileAreNullTerminatedAndSharedByClones) {
    SceneListingServices listing(scene);
    LWSurfaceFuncs &surfaces = *listing.surfaceFuncs();
    LWSurfaceID *ofGrid = surfaces.byObject("objects/grid.lwo");
    ASSERT_NE(ofGrid, nullptr);
    EXPECT_EQ(ofGrid[0], surface(1, 0));
    EXPECT_EQ(ofGrid[1], surface(1, 1));
    EXPECT_EQ(ofGrid[2], nullptr);
    EXPECT_STREQ(surfaces.name(ofGrid[1]), "Paint");
    EXPECT_EQ(surfaces.byObject("objects/box.lwo")[0], surface(2, 0));
    EXPECT_NE(surface(0, 0), surface(1, 1));
    EXPECT_EQ(surfaces.byObject("OBJECTS/BOX.LWO"), nullptr);
    EXPECT_EQ(surfaces.name(nullptr), nullptr);
    LWSurfaceID *paints = surfaces.byName("Paint", nullptr);
    ASSERT_NE(paints, nullptr);
    EXPECT_EQ(paints[0], surface(0, 0));
    EXPECT_EQ(paints[1], surface(1, 1));
    EXPECT_EQ(paints[2], nullptr);
    EXPECT_EQ(surfaces.first(), surface(0, 0));
    EXPECT_EQ(surfaces.next(surface(0, 0)), surface(1, 0));
    EXPECT_EQ(surfaces.next(surface(1, 1)), nullptr);
}

TEST_F(SceneListing, OnlyOneSetServesAtATime) {
    SceneListingServices listing(scene);
    EXPECT_THROW(SceneListingServices second(scene), std::logic_error);
    ServiceTable table;
    listing.registerIn(table);
    EXPECT_EQ(table.global()("Scene Objects 4", 0), listing.sceneObjects());
    EXPECT_EQ(table.global()("LW Item Info 3", 0), listing.itemInfo());
    EXPECT_EQ(table.global()("Surface Functions 2", 0), listing.surfaceFuncs());
}

}  // namespace
