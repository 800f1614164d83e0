// Discovery of the polygon sets on one surface: the object item using the surface is found and
// the distinct PART tags of that surface's polygons are collected, in the order the host's
// polygon scan meets them.
#pragma once

#include "discovery/set_name_list.h"
#include "hostapi/lwmeshes.h"

// Refills `list`; any failure leaves it empty.
void ScanPolygonSets(LWSurfaceID surface, SetNameList &list);

// The first object item, in the host's item order, loaded from the file of the lowest object
// index whose surface list holds `surface`; null if there is none or a service is missing.
LWItemID FindSurfaceObject(LWSurfaceID surface);

struct ScanContext {
    LWSurfaceID surface;
    LWMeshInfo *mesh;
    SetNameList *list;
};

// The polygon scan callback: adds the polygon's PART tag if the polygon lies on the context's
// surface. Always 0, so the scan goes on.
std::size_t CollectSetName(void *context, LWPolID polygon);
