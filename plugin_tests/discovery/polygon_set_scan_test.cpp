#include "discovery/polygon_set_scan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/scene/mesh_generators.h"
#include "host/scene/scene_ids.h"
#include "host/services/object_info_service.h"
#include "host/services/scene_listing_services.h"
#include "module/host_services.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Polygons with the given (surface, set) tags, in scan order.
MeshData TaggedPolygons(
    std::initializer_list<std::pair<std::optional<std::string>, std::optional<std::string>>> tags) {
    MeshData mesh = MakeGrid(static_cast<int>(tags.size()), 1);
    int index = 0;
    for (const auto &[surface, part] : tags) {
        mesh.polygons[index].surface = surface;
        mesh.polygons[index].part = part;
        ++index;
    }
    return mesh;
}

// Replacement host functions: captureless, so they reach the test through these.
LWSurfaceFuncs *realSurfaces = nullptr;
LWObjectInfo *realObjectInfo = nullptr;
std::vector<LWSurfaceID> sharedList;
const char *listedFilename = nullptr;
const char *itemFilename = nullptr;

class Discovery : public ::testing::Test {
  protected:
    void serve(Scene built) {
        scene = std::move(built);
        objectInfo.emplace(scene);
        listing.emplace(scene);
        objectInfo->registerIn(table);
        listing->registerIn(table);
        patchedSurfaces = *listing->surfaceFuncs();
        patchedObjects = *listing->sceneObjects();
        patchedObjectInfo = *objectInfo->record();
        realSurfaces = listing->surfaceFuncs();
        realObjectInfo = objectInfo->record();
        FetchHostServices(table.global());
    }
    void TearDown() override {
        hostServices = {};
        if (objectInfo && accessorsHaveDestroy) {
            MeshAccessTotals totals = objectInfo->ledger().totals();
            EXPECT_EQ(totals.obtained, totals.destroyed);
        }
    }
    void usePatched() {
        table.provide(LWSURFACEFUNCS_GLOBAL, &patchedSurfaces);
        table.provide(LWOBJECTFUNCS_GLOBAL, &patchedObjects);
        table.provide(LWOBJECTINFO_GLOBAL, &patchedObjectInfo);
        FetchHostServices(table.global());
    }
    LWSurfaceID surface(int item, int index = 0) const {
        return SurfaceID(*scene.items[item].file, index);
    }
    std::vector<std::string> scan(LWSurfaceID of) {
        ScanPolygonSets(of, names);
        return names.names;
    }

    Scene scene;
    ServiceTable table;
    std::optional<ObjectInfoService> objectInfo;
    std::optional<SceneListingServices> listing;
    LWSurfaceFuncs patchedSurfaces;
    LWObjectFuncs patchedObjects;
    LWObjectInfo patchedObjectInfo;
    SetNameList names;
    bool accessorsHaveDestroy = true;
};

Scene OneObject(MeshData mesh, std::vector<std::string> surfaces = {"Paint", "Other"}) {
    auto file = MakeObjectFile("objects/thing.lwo", std::move(mesh));
    file->surfaces = std::move(surfaces);
    Scene scene;
    scene.items.push_back({"Thing", file});
    return scene;
}

TEST_F(Discovery, CollectsTheSurfacesSetsInOrderOfFirstAppearance) {
    serve(OneObject(TaggedPolygons({{"Paint", "B"},
                                    {"Paint", "A"},
                                    {"Other", "X"},
                                    {"Paint", "B"},
                                    {"Paint", std::nullopt},
                                    {"paint", "Y"},
                                    {std::nullopt, "Z"},
                                    {"Paint", "C"},
                                    {"Paint", "Top"},
                                    {"Paint", "top"},
                                    {"Paint", ""},
                                    {"Paint", ""}})));
    EXPECT_THAT(scan(surface(0, 0)), ElementsAre("B", "A", "C", "Top", "top", ""));
    EXPECT_THAT(scan(surface(0, 1)), ElementsAre("X"));
    EXPECT_EQ(objectInfo->unfrozenMeshInfoCalls(), 2);
}

TEST_F(Discovery, UntaggedPolygonsBelongOnlyToASurfaceWithoutName) {
    serve(OneObject(TaggedPolygons({{std::nullopt, "bare"}, {"Paint", "painted"}})));
    usePatched();
    EXPECT_THAT(scan(surface(0)), ElementsAre("painted"));
    patchedSurfaces.name = [](LWSurfaceID) -> const char * { return nullptr; };
    EXPECT_THAT(scan(surface(0)), ElementsAre("bare"));
}

TEST_F(Discovery, LowestObjectIndexListingTheSurfaceWins) {
    Scene built;
    built.items = {{"A", MakeObjectFile("a.lwo", TaggedPolygons({{"Paint", "fromA"}}))},
                   {"B", MakeObjectFile("b.lwo", TaggedPolygons({{"Paint", "fromB"}}))},
                   {"C", MakeObjectFile("c.lwo", TaggedPolygons({{"Paint", "fromC"}}))}};
    serve(std::move(built));
    usePatched();
    // Files 0 and 2 both list the surface of file 2.
    sharedList = {surface(2), nullptr};
    patchedSurfaces.byObject = [](const char *filename) -> LWSurfaceID * {
        return std::string(filename) == "b.lwo" ? realSurfaces->byObject(filename)
                                                : sharedList.data();
    };
    EXPECT_EQ(FindSurfaceObject(surface(2)), ItemID(scene.items[0]));
    EXPECT_THAT(scan(surface(2)), ElementsAre("fromA"));
    EXPECT_EQ(FindSurfaceObject(surface(1)), ItemID(scene.items[1]));
}

TEST_F(Discovery, FirstCloneInItemOrderIsScanned) {
    auto shared = MakeObjectFile("objects/clone.lwo", TaggedPolygons({{"Default", "S"}}));
    Scene built;
    built.items = {{"Other", MakeObjectFile("objects/other.lwo", MakeBox())},
                   {"Clone", shared},
                   {"Clone (2)", shared}};
    serve(std::move(built));
    EXPECT_EQ(FindSurfaceObject(surface(2)), ItemID(scene.items[1]));
    EXPECT_THAT(scan(surface(2)), ElementsAre("S"));
}

TEST_F(Discovery, FileNamesMatchWithoutRegardToTheCaseOfAsciiLetters) {
    serve(OneObject(TaggedPolygons({{"Paint", "S"}})));
    usePatched();
    patchedObjects.filename = [](int index) { return index == 0 ? listedFilename : nullptr; };
    patchedObjectInfo.filename = [](LWItemID) { return itemFilename; };
    patchedSurfaces.byObject = [](const char *) {
        return realSurfaces->byObject("objects/thing.lwo");
    };
    // 'A' and 'Z' end the folded range; '@' and '[' lie just outside it, and differ from '`' and
    // '{' by the same bit as a letter's cases.
    const struct {
        const char *listed;
        const char *item;
        bool same;
    } cases[] = {
        {"OBJECTS/Thing.LWO", "objects/thing.lwo", true},
        {"Az.lwo", "aZ.lwo", true},
        {"aZ.lwo", "Az.lwo", true},
        {"objects/thing.lwo ", "objects/thing.lwo", false},
        {"objects/thing.lwo", "objects/thing.lwo ", false},
        {"objects/thing.lwO\xC3\x89", "objects/thing.lwo\xC3\xA9", false},
        {"@.lwo", "`.lwo", false},
        {"`.lwo", "@.lwo", false},
        {"[.lwo", "{.lwo", false},
        {"{.lwo", "[.lwo", false},
    };
    for (const auto &names : cases) {
        listedFilename = names.listed;
        itemFilename = names.item;
        EXPECT_EQ(FindSurfaceObject(surface(0)), names.same ? ItemID(scene.items[0]) : nullptr)
            << names.listed << " against " << names.item;
    }
}

TEST_F(Discovery, EveryFailureLeavesTheListEmpty) {
    serve(OneObject(TaggedPolygons({{"Paint", "S"}})));
    EXPECT_THAT(scan(surface(0)), ElementsAre("S"));
    int foreign = 0;
    EXPECT_THAT(scan(&foreign), IsEmpty());  // the surface is on no object any more
    objectInfo->failMeshInfo();
    EXPECT_THAT(scan(surface(0)), IsEmpty());
    objectInfo->stopFailingMeshInfo();
    for (const char *service :
         {LWOBJECTINFO_GLOBAL, LWITEMINFO_GLOBAL, LWSURFACEFUNCS_GLOBAL, LWOBJECTFUNCS_GLOBAL}) {
        EXPECT_THAT(scan(surface(0)), ElementsAre("S"));
        table.switchOff(service);
        FetchHostServices(table.global());
        EXPECT_THAT(scan(surface(0)), IsEmpty()) << service;
        table.switchOn(service);
        FetchHostServices(table.global());
    }
}

TEST_F(Discovery, InterruptedScanLeavesTheListEmptyAndReleasesTheAccessor) {
    serve(OneObject(TaggedPolygons({{"Paint", "S"}, {"Paint", "T"}})));
    usePatched();
    patchedObjectInfo.meshInfo = [](LWItemID item, int frozen) {
        LWMeshInfo *mesh = realObjectInfo->meshInfo(item, frozen);
        static decltype(mesh->scanPolys) realScan;
        realScan = mesh->scanPolys;
        // A 64-bit host's result may hold nothing in its low half.
        mesh->scanPolys = [](LWMeshInfoID id, LWPolScanFunc *visit, void *data) {
            realScan(id, visit, data);
            return sizeof(std::size_t) > 4 ? ~std::size_t{0} << 16 << 16 : 1;
        };
        return mesh;
    };
    names.names = {"stale"};
    EXPECT_THAT(scan(surface(0)), IsEmpty());
    EXPECT_EQ(objectInfo->ledger().totals().destroyed, 1);
}

TEST_F(Discovery, AccessorWithoutDestroyIsLeftAlone) {
    serve(OneObject(TaggedPolygons({{"Paint", "S"}})));
    objectInfo->omitDestroy(true);
    accessorsHaveDestroy = false;
    EXPECT_THAT(scan(surface(0)), ElementsAre("S"));
    EXPECT_EQ(objectInfo->ledger().totals().destroyed, 0);
}

}  // namespace
