#include "discovery/polygon_set_scan.h"

#include <cstring>

#include "module/callback_guard.h"
#include "module/host_services.h"

namespace {

// File names compare as the host's file system does: ASCII letters without regard to case.
bool SameFilename(const char *a, const char *b) {
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (; *a && *b; ++a, ++b)
        if (fold(*a) != fold(*b)) return false;
    return *a == *b;
}

bool ListsSurface(const LWSurfaceID *surfaces, LWSurfaceID surface) {
    for (; *surfaces; ++surfaces)
        if (*surfaces == surface) return true;
    return false;
}

// The file name of the lowest object index whose surface list holds `surface`, or null.
const char *FileHoldingSurface(LWSurfaceID surface) {
    int objectCount = hostServices.sceneObjects->numObjects();
    for (int index = 0; index < objectCount; ++index) {
        const char *filename = hostServices.sceneObjects->filename(index);
        if (!filename) continue;
        const LWSurfaceID *surfaces = hostServices.surfaceFuncs->byObject(filename);
        if (surfaces && ListsSurface(surfaces, surface)) return filename;
    }
    return nullptr;
}

bool SameSurfaceName(const char *tag, const char *name) {
    if (!tag || !name) return !tag && !name;
    return std::strcmp(tag, name) == 0;
}

}  // namespace

LWItemID FindSurfaceObject(LWSurfaceID surface) {
    const HostServices &host = hostServices;
    if (!host.objectInfo || !host.itemInfo || !host.surfaceFuncs || !host.sceneObjects)
        return nullptr;
    const char *hit = FileHoldingSurface(surface);
    if (!hit) return nullptr;
    for (LWItemID item = host.itemInfo->first(LWI_OBJECT, LWITEM_NULL); item;
         item = host.itemInfo->next(item)) {
        const char *filename = host.objectInfo->filename(item);
        if (filename && SameFilename(filename, hit)) return item;
    }
    return nullptr;
}

std::size_t CollectSetName(void *data, LWPolID polygon) {
    GuardedVoid([data, polygon] {
        auto &context = *static_cast<ScanContext *>(data);
        LWMeshInfo *mesh = context.mesh;
        const char *surfaceTag = mesh->polTag(mesh, polygon, LWPTAG_SURF);
        const char *surfaceName = hostServices.surfaceFuncs->name(context.surface);
        if (!SameSurfaceName(surfaceTag, surfaceName)) return;
        const char *set = mesh->polTag(mesh, polygon, LWPTAG_PART);
        if (!set || ContainsName(*context.list, set)) return;
        context.list->names.emplace_back(set);
    });
    return 0;
}

void ScanPolygonSets(LWSurfaceID surface, SetNameList &list) {
    list.names.clear();
    if (!hostServices.objectInfo) return;
    LWItemID item = FindSurfaceObject(surface);
    if (!item) return;
    LWMeshInfo *mesh = hostServices.objectInfo->meshInfo(item, 0);
    if (!mesh) return;
    ScanContext context = {surface, mesh, &list};
    if (mesh->scanPolys(mesh, CollectSetName, &context) != 0) list.names.clear();
    if (mesh->destroy) mesh->destroy(mesh);
}
