// The context-free scene services of the stand-in host: "LW Item Info 3" walks the object items,
// "Scene Objects 4" lists their object files by index and "Surface Functions 2" gives each file's
// surfaces and their names. Their functions get no context, so one set at a time is the current
// one: constructing a second while one is alive throws.
#pragma once

#include <utility>
#include <vector>

#include "host/non_copyable.h"
#include "host/scene/scene.h"
#include "host/services/service_table.h"
#include "hostapi/lwservices.h"

class SceneListingServices : NonCopyable {
  public:
    // The scene must outlive the services and keep its shape while they are alive.
    explicit SceneListingServices(const Scene &scene);
    ~SceneListingServices();

    void registerIn(ServiceTable &table);
    LWItemInfo *itemInfo() { return &items; }
    LWObjectFuncs *sceneObjects() { return &objects; }
    LWSurfaceFuncs *surfaceFuncs() { return &surfaces; }

  private:
    static LWItemID First(LWItemType type, LWItemID parent);
    static LWItemID Next(LWItemID item);
    static int NumObjects();
    static const char *ObjectFilename(int index);
    static LWSurfaceID CreateSurface(const char *objName, const char *surfName);
    static LWSurfaceID FirstSurface();
    static LWSurfaceID NextSurface(LWSurfaceID surface);
    static LWSurfaceID *SurfacesByName(const char *name, const char *objName);
    static LWSurfaceID *SurfacesByObject(const char *objFilename);
    static const char *SurfaceName(LWSurfaceID surface);

    const Scene &served;
    LWItemInfo items;
    LWObjectFuncs objects;
    LWSurfaceFuncs surfaces;
    // Every surface of the scene's files, files in order of first appearance.
    std::vector<LWSurfaceID> allSurfaces;
    // Null-terminated surface lists: per object file in order of first appearance, and the last
    // answer of byName.
    std::vector<std::pair<const ObjectFile *, std::vector<LWSurfaceID>>> surfacesOfFile;
    std::vector<LWSurfaceID> byNameAnswer;
};
