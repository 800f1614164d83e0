#include "host/services/scene_listing_services.h"

#include <algorithm>
#include <stdexcept>

#include "host/scene/scene_ids.h"

namespace {

SceneListingServices *current = nullptr;

}  // namespace

SceneListingServices::SceneListingServices(const Scene &scene)
    : served(scene),
      items{First, Next},
      objects{NumObjects, ObjectFilename},
      surfaces{CreateSurface,  FirstSurface,     NextSurface,
               SurfacesByName, SurfacesByObject, SurfaceName} {
    if (current) throw std::logic_error("scene listing services are already serving a scene");
    for (const ObjectItem &item : scene.items) {
        const ObjectFile *file = item.file.get();
        auto seen = [file](const auto &entry) { return entry.first == file; };
        if (!file || std::any_of(surfacesOfFile.begin(), surfacesOfFile.end(), seen)) continue;
        std::vector<LWSurfaceID> &list = surfacesOfFile.emplace_back(file, 0).second;
        for (int index = 0; index < static_cast<int>(file->surfaces.size()); ++index)
            list.push_back(SurfaceID(*file, index));
        allSurfaces.insert(allSurfaces.end(), list.begin(), list.end());
        list.push_back(nullptr);
    }
    current = this;
}

SceneListingServices::~SceneListingServices() {
    current = nullptr;
}

void SceneListingServices::registerIn(ServiceTable &table) {
    table.provide(LWITEMINFO_GLOBAL, &items);
    table.provide(LWOBJECTFUNCS_GLOBAL, &objects);
    table.provide(LWSURFACEFUNCS_GLOBAL, &surfaces);
}

// The scene has no hierarchy and holds only object items.
LWItemID SceneListingServices::First(LWItemType type, LWItemID parent) {
    if (!current || type != LWI_OBJECT || parent || current->served.items.empty()) return nullptr;
    return ItemID(current->served.items.front());
}

LWItemID SceneListingServices::Next(LWItemID item) {
    if (!current) return nullptr;
    const std::vector<ObjectItem> &all = current->served.items;
    const ObjectItem *found = FindItem(current->served, item);
    if (!found || found == &all.back()) return nullptr;
    return ItemID(found[1]);
}

// Each object item is a loaded object; clones list the same file name.
int SceneListingServices::NumObjects() {
    return current ? static_cast<int>(current->served.items.size()) : 0;
}

const char *SceneListingServices::ObjectFilename(int index) {
    if (!current || index < 0 || index >= NumObjects()) return nullptr;
    const ObjectItem &item = current->served.items[index];
    return item.file ? item.file->filename.c_str() : nullptr;
}

// The stand-in host's objects are read from files; it makes no new surfaces.
LWSurfaceID SceneListingServices::CreateSurface(const char *, const char *) {
    return nullptr;
}

LWSurfaceID SceneListingServices::FirstSurface() {
    return current && !current->allSurfaces.empty() ? current->allSurfaces.front() : nullptr;
}

LWSurfaceID SceneListingServices::NextSurface(LWSurfaceID surface) {
    if (!current) return nullptr;
    const std::vector<LWSurfaceID> &all = current->allSurfaces;
    auto found = std::find(all.begin(), all.end(), surface);
    return found == all.end() || found + 1 == all.end() ? nullptr : *(found + 1);
}

LWSurfaceID *SceneListingServices::SurfacesByName(const char *name, const char *objName) {
    if (!current || !name) return nullptr;
    std::vector<LWSurfaceID> &answer = current->byNameAnswer;
    answer.clear();
    for (const auto &[file, list] : current->surfacesOfFile) {
        if (objName && file->filename != objName) continue;
        for (LWSurfaceID surface : list)
            if (surface && *FindSurface(current->served, surface) == name)
                answer.push_back(surface);
    }
    if (answer.empty()) return nullptr;
    answer.push_back(nullptr);
    return answer.data();
}

LWSurfaceID *SceneListingServices::SurfacesByObject(const char *objFilename) {
    if (!current || !objFilename) return nullptr;
    for (auto &[file, list] : current->surfacesOfFile)
        if (file->filename == objFilename) return list.data();
    return nullptr;
}

const char *SceneListingServices::SurfaceName(LWSurfaceID surface) {
    const std::string *name = current ? FindSurface(current->served, surface) : nullptr;
    return name ? name->c_str() : nullptr;
}
