// "LW Object Info 4" over a stand-in scene. Its functions get no context but the item, so one
// service at a time is the current one: constructing a second while one is alive throws.
#pragma once

#include <atomic>
#include <map>
#include <memory>

#include "host/non_copyable.h"
#include "host/scene/scene.h"
#include "host/services/mesh_access_ledger.h"
#include "host/services/mesh_corners.h"
#include "host/services/service_table.h"
#include "hostapi/lwservices.h"

class ObjectInfoService : NonCopyable {
  public:
    // The scene must outlive the service and keep its shape while the service is alive.
    explicit ObjectInfoService(const Scene &scene);
    ~ObjectInfoService();

    void registerIn(ServiceTable &table);
    LWObjectInfo *record() { return &functions; }
    const Scene &scene() const { return served; }

    // Accessors obtained and destroyed, and every accessor function call.
    const MeshAccessLedger &ledger() const { return accessors; }
    MeshAccessLedger &ledger() { return accessors; }
    long meshInfoCalls() const { return meshInfoCount.load(); }
    long unfrozenMeshInfoCalls() const { return unfrozenCount.load(); }
    long filenameCalls() const { return filenameCount.load(); }

    // Failures a real host may show. meshInfo answers null from the call after `successes`
    // more successful ones; a negative count means it never fails.
    void failMeshInfoAfter(int successes) { meshInfoBudget.store(successes); }
    void failMeshInfo() { failMeshInfoAfter(0); }
    void stopFailingMeshInfo() { failMeshInfoAfter(-1); }
    // Accessors come without a destroy function (the module must then leave them alone).
    void omitDestroy(bool omit) { destroyOmitted.store(omit); }

  private:
    static const char *Filename(LWItemID item);
    static int NumPoints(LWItemID item);
    static int NumPolygons(LWItemID item);
    static unsigned int ShadowOpts(LWItemID item);
    static double Dissolve(LWItemID item, LWTime time);
    static LWMeshInfoID MeshInfo(LWItemID item, int frozen);
    static const MeshData *MeshOf(LWItemID item);
    static const MeshCorners *CornersOf(LWItemID item);
    bool grantMeshInfo();

    const Scene &served;
    LWObjectInfo functions;
    std::map<const ObjectFile *, std::unique_ptr<MeshCorners>> corners;
    MeshAccessLedger accessors;
    std::atomic<long> meshInfoCount{0}, unfrozenCount{0}, filenameCount{0};
    std::atomic<int> meshInfoBudget{-1};
    std::atomic<bool> destroyOmitted{false};
};
