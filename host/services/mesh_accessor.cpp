#include "host/services/mesh_accessor.h"

#include <cstring>

#include "host/scene/scene_ids.h"

namespace {

struct StandInAccessor {
    LWMeshInfo record;  // first, so that the handle the module holds is this object's address
    const MeshCorners *corners;
    const MeshData *mesh;
    MeshAccessLedger *ledger;
    MeshCallCounts calls{};
};

StandInAccessor &Open(LWMeshInfoID id, MeshCall call) {
    auto &accessor = *static_cast<StandInAccessor *>(id->priv);
    ++accessor.calls[static_cast<std::size_t>(call)];
    return accessor;
}

void Destroy(LWMeshInfoID id) {
    auto *accessor = static_cast<StandInAccessor *>(id->priv);
    accessor->ledger->noteDestroyed(accessor->calls);
    delete accessor;
}

void Release(LWMeshInfo *record) {
    delete static_cast<StandInAccessor *>(record->priv);
}

int NumPoints(LWMeshInfoID id) {
    return static_cast<int>(Open(id, MeshCall::numPoints).mesh->points.size());
}

int NumPolygons(LWMeshInfoID id) {
    return static_cast<int>(Open(id, MeshCall::numPolygons).mesh->polygons.size());
}

std::size_t ScanPoints(LWMeshInfoID id, LWPntScanFunc *visit, void *data) {
    const MeshData &mesh = *Open(id, MeshCall::scanPoints).mesh;
    for (int index = 0; index < static_cast<int>(mesh.points.size()); ++index)
        if (std::size_t result = visit(data, PointID(mesh, index))) return result;
    return 0;
}

std::size_t ScanPolys(LWMeshInfoID id, LWPolScanFunc *visit, void *data) {
    const MeshData &mesh = *Open(id, MeshCall::scanPolys).mesh;
    for (const MeshPolygon &polygon : mesh.polygons)
        if (std::size_t result = visit(data, PolygonID(polygon))) return result;
    return 0;
}

// Points of other meshes read as the origin. The position goes out in one copy, as a host's
// own vector copy would: three separate float stores stall a caller that reads two of them back
// as one wider load.
void CopyPosition(const MeshData &mesh, LWPntID point, LWFVector position) {
    static constexpr std::array<float, 3> Origin{};
    const std::array<float, 3> *found = FindPoint(mesh, point);
    std::memcpy(position, found ? found->data() : Origin.data(), sizeof Origin);
}

void PntBasePos(LWMeshInfoID id, LWPntID point, LWFVector position) {
    CopyPosition(*Open(id, MeshCall::pntBasePos).mesh, point, position);
}

// The scene has no motion or deformation, so the shaded position is the base position.
void PntOtherPos(LWMeshInfoID id, LWPntID point, LWFVector position) {
    CopyPosition(*Open(id, MeshCall::pntOtherPos).mesh, point, position);
}

// The scene carries no vertex maps.
void *PntVLookup(LWMeshInfoID id, LWID, const char *) {
    Open(id, MeshCall::pntVLookup);
    return nullptr;
}

int PntVSelect(LWMeshInfoID id, void *) {
    Open(id, MeshCall::pntVSelect);
    return 0;
}

int PntVGet(LWMeshInfoID id, LWPntID, float *) {
    Open(id, MeshCall::pntVGet);
    return 0;
}

LWID PolType(LWMeshInfoID id, LWPolID polygon) {
    const MeshPolygon *found = FindPolygon(*Open(id, MeshCall::polType).mesh, polygon);
    return found ? found->type : 0;
}

int PolSize(LWMeshInfoID id, LWPolID polygon) {
    const MeshCorners &corners = *Open(id, MeshCall::polSize).corners;
    int index = corners.polygonIndex(polygon);
    return index < 0 ? 0 : corners.size(index);
}

LWPntID PolVertex(LWMeshInfoID id, LWPolID polygon, int corner) {
    const MeshCorners &corners = *Open(id, MeshCall::polVertex).corners;
    int index = corners.polygonIndex(polygon);
    if (index < 0 || corner < 0 || corner >= corners.size(index)) return nullptr;
    int point = corners.point(index, corner);
    return point < 0 ? nullptr : PointID(corners.mesh(), point);
}

const char *PolTag(LWMeshInfoID id, LWPolID polygon, LWID tagType) {
    const MeshPolygon *found = FindPolygon(*Open(id, MeshCall::polTag).mesh, polygon);
    if (!found) return nullptr;
    const PolygonTag *tag = tagType == LWPTAG_SURF   ? &found->surface
                            : tagType == LWPTAG_PART ? &found->part
                                                     : nullptr;
    return tag && *tag ? (*tag)->c_str() : nullptr;
}

}  // namespace

LWMeshInfo *OpenMeshAccessor(const MeshCorners &corners, MeshAccessLedger &ledger,
                             AccessorRelease release) {
    auto *accessor = new StandInAccessor{
        {nullptr, Destroy, NumPoints, NumPolygons, ScanPoints, ScanPolys, PntBasePos, PntOtherPos,
         PntVLookup, PntVSelect, PntVGet, PolType, PolSize, PolVertex, PolTag},
        &corners,
        &corners.mesh(),
        &ledger,
    };
    accessor->record.priv = accessor;
    ledger.noteObtained();
    if (release == AccessorRelease::withoutDestroy) {
        accessor->record.destroy = nullptr;
        ledger.keepUndestroyable(&accessor->record, &accessor->calls, Release);
    }
    return &accessor->record;
}
