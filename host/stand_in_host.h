// The stand-in host's services over one scene, gathered under one global function: the scene
// services, object info with its mesh accessors, and the panel services with their user.
#pragma once

#include "host/panels/panel_services.h"
#include "host/scene/scene.h"
#include "host/services/object_info_service.h"
#include "host/services/scene_listing_services.h"
#include "host/services/service_table.h"

class StandInHost {
  public:
    // The scene must outlive the host and keep its shape while the host is alive.
    explicit StandInHost(const Scene &scene) : objectInfo(scene), listing(scene) {
        objectInfo.registerIn(table);
        listing.registerIn(table);
        panels.registerIn(table);
    }

    GlobalFunc *global() const { return table.global(); }

    ServiceTable table;
    ObjectInfoService objectInfo;
    SceneListingServices listing;
    PanelServices panels;
};
