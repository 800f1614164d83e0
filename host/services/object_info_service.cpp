#include "host/services/object_info_service.h"

#include <stdexcept>

#include "host/scene/scene_ids.h"
#include "host/services/mesh_accessor.h"

namespace {

ObjectInfoService *current = nullptr;

}  // namespace

ObjectInfoService::ObjectInfoService(const Scene &scene)
    : served(scene), functions{Filename, NumPoints, NumPolygons, ShadowOpts, Dissolve, MeshInfo} {
    if (current) throw std::logic_error("an object-info service is already serving a scene");
    for (const ObjectItem &item : scene.items) {
        std::unique_ptr<MeshCorners> &made = corners[item.file.get()];
        if (item.file && !made) made = std::make_unique<MeshCorners>(item.file->mesh);
    }
    current = this;
}

ObjectInfoService::~ObjectInfoService() {
    current = nullptr;
}

void ObjectInfoService::registerIn(ServiceTable &table) {
    table.provide(LWOBJECTINFO_GLOBAL, &functions);
}

const MeshData *ObjectInfoService::MeshOf(LWItemID item) {
    const ObjectItem *found = current ? FindItem(current->served, item) : nullptr;
    return found && found->file ? &found->file->mesh : nullptr;
}

const MeshCorners *ObjectInfoService::CornersOf(LWItemID item) {
    const ObjectItem *found = current ? FindItem(current->served, item) : nullptr;
    if (!found) return nullptr;
    // Items added after the service was made have no corner index: the scene changed its shape.
    auto indexed = current->corners.find(found->file.get());
    return indexed == current->corners.end() ? nullptr : indexed->second.get();
}

const char *ObjectInfoService::Filename(LWItemID item) {
    if (!current) return nullptr;
    current->filenameCount.fetch_add(1, std::memory_order_relaxed);
    const ObjectItem *found = FindItem(current->served, item);
    return found && found->file ? found->file->filename.c_str() : nullptr;
}

int ObjectInfoService::NumPoints(LWItemID item) {
    const MeshData *mesh = MeshOf(item);
    return mesh ? static_cast<int>(mesh->points.size()) : 0;
}

int ObjectInfoService::NumPolygons(LWItemID item) {
    const MeshData *mesh = MeshOf(item);
    return mesh ? static_cast<int>(mesh->polygons.size()) : 0;
}

unsigned int ObjectInfoService::ShadowOpts(LWItemID) {
    return 0;
}

double ObjectInfoService::Dissolve(LWItemID, LWTime) {
    return 0.0;
}

bool ObjectInfoService::grantMeshInfo() {
    int budget = meshInfoBudget.load();
    while (budget >= 0) {
        if (budget == 0) return false;
        if (meshInfoBudget.compare_exchange_weak(budget, budget - 1)) return true;
    }
    return true;
}

LWMeshInfoID ObjectInfoService::MeshInfo(LWItemID item, int frozen) {
    if (!current) return nullptr;
    current->meshInfoCount.fetch_add(1, std::memory_order_relaxed);
    if (!frozen) current->unfrozenCount.fetch_add(1, std::memory_order_relaxed);
    const MeshCorners *mesh = CornersOf(item);
    if (!mesh || !current->grantMeshInfo()) return nullptr;
    AccessorRelease release = current->destroyOmitted.load() ? AccessorRelease::withoutDestroy
                                                             : AccessorRelease::byDestroy;
    return OpenMeshAccessor(*mesh, current->accessors, release);
}
