// For tests and benchmarks: a stand-in host that serves a scene, has activated the shader handler
// through ActivateHandler as LightWave does, and shades samples through the handler's record.
#pragma once

#include <string>
#include <vector>

#include "host/render/sample_record.h"
#include "host/scene/scene.h"
#include "host/services/object_info_service.h"
#include "host/services/scene_listing_services.h"
#include "host/services/service_table.h"
#include "hostapi/lwhandler.h"
#include "shader/polygon_set_list.h"

class ShadingTestHost {
  public:
    // The scene is fixed from here on: the module is handed addresses inside it.
    explicit ShadingTestHost(Scene scene);
    // Ends the render (cleanup), destroys every instance and forgets the module's services.
    ~ShadingTestHost();
    ShadingTestHost(const ShadingTestHost &) = delete;
    ShadingTestHost &operator=(const ShadingTestHost &) = delete;

    // Activates the handler again, e.g. after switching a service off.
    void activate();
    const LWShaderHandler &handler() const { return records.handler; }

    // An instance made by the handler's create; destroyed with the host.
    LWInstance createInstance(LWSurfaceID surface = nullptr);
    // The instance's settings, as the options panel would edit them.
    static PolygonSetEntry &addSet(LWInstance instance, const std::string &name, double angle,
                                   int sameSetOnly = 0, int enabled = 1);
    static PolygonSetList &settingsOf(LWInstance instance);

    void beginRender() { records.rend.init(nullptr, LWINIT_RENDER); }
    void endRender() { records.rend.cleanup(nullptr); }
    void shade(LWInstance instance, SampleRecord &sample) {
        records.handler.evaluate(instance, &sample.access);
    }

    SampleRecord sampleOn(int item, int polygon, float u = 0.5f, float v = 0.5f) const {
        return SampleOn(world.items[item], polygon, u, v);
    }
    const Scene &scene() const { return world; }
    ServiceTable &services() { return table; }
    ObjectInfoService &objectInfo() { return objects; }

  private:
    struct HandlerRecords {
        LWInstanceFuncs inst{};
        LWItemFuncs item{};
        LWRenderFuncs rend{};
        LWShaderHandler handler{&inst, &item, &rend, nullptr, nullptr};
    };

    Scene world;
    ObjectInfoService objects;
    SceneListingServices listing;
    ServiceTable table;
    HandlerRecords records;
    std::vector<LWInstance> instances;
};
