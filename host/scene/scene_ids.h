// The identifiers the stand-in host hands to a module, and their way back to the scene data.
// Lookups check that an identifier lies inside the given data, so a foreign or stale one is
// answered with null instead of being followed.
#pragma once

#include <array>
#include <cstdint>

#include "host/scene/scene.h"

inline LWItemID ItemID(const ObjectItem &item) {
    return const_cast<ObjectItem *>(&item);
}

inline LWPolID PolygonID(const MeshPolygon &polygon) {
    return reinterpret_cast<LWPolID>(const_cast<MeshPolygon *>(&polygon));
}

inline LWPntID PointID(const MeshData &mesh, int index) {
    return reinterpret_cast<LWPntID>(const_cast<std::array<float, 3> *>(&mesh.points[index]));
}

namespace scene_ids_detail {

// The element of `elements` whose address is `id`, or null.
template <typename Element, typename Id>
const Element *ElementAt(const std::vector<Element> &elements, Id id) {
    auto address = reinterpret_cast<std::uintptr_t>(id);
    auto first = reinterpret_cast<std::uintptr_t>(elements.data());
    if (address < first) return nullptr;
    std::uintptr_t offset = address - first;
    if (offset % sizeof(Element) != 0 || offset / sizeof(Element) >= elements.size())
        return nullptr;
    return &elements[offset / sizeof(Element)];
}

}  // namespace scene_ids_detail

inline const ObjectItem *FindItem(const Scene &scene, LWItemID id) {
    return scene_ids_detail::ElementAt(scene.items, id);
}

inline const MeshPolygon *FindPolygon(const MeshData &mesh, LWPolID id) {
    return scene_ids_detail::ElementAt(mesh.polygons, id);
}

inline const std::array<float, 3> *FindPoint(const MeshData &mesh, LWPntID id) {
    return scene_ids_detail::ElementAt(mesh.points, id);
}

// -1 when `id` is not a point of `mesh`.
inline int PointIndex(const MeshData &mesh, LWPntID id) {
    const std::array<float, 3> *point = FindPoint(mesh, id);
    return point ? static_cast<int>(point - mesh.points.data()) : -1;
}

// An LWSurfaceID is the address of the surface's name in its ObjectFile::surfaces. Clones share
// their file and so their surfaces.
inline LWSurfaceID SurfaceID(const ObjectFile &file, int index) {
    return const_cast<std::string *>(&file.surfaces[index]);
}

// The name of the surface `id` of a file of `scene`, or null.
inline const std::string *FindSurface(const Scene &scene, LWSurfaceID id) {
    for (const ObjectItem &item : scene.items)
        if (item.file)
            if (const std::string *name = scene_ids_detail::ElementAt(item.file->surfaces, id))
                return name;
    return nullptr;
}
