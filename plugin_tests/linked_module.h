// The module linked into the test program, driven by a host session through its descriptor as a
// host drives a module file, and the settings of its instances set directly, as the options
// dialog would set them.
#pragma once

#include <string>
#include <utility>

#include "host/session/host_session.h"
#include "hostapi/lwserver.h"
#include "module/host_services.h"
#include "shader/shader_instance.h"

extern "C" ModuleDescriptor _mod_descrip;

// The module forgets the host's services with the session, so that the next test meets a module
// that has not been activated.
class LinkedSession : public HostSession {
  public:
    explicit LinkedSession(Scene scene) : HostSession(std::move(scene), _mod_descrip) {}
    ~LinkedSession() { hostServices = {}; }
};

inline PolygonSetList &SettingsOf(LWInstance instance) {
    return *static_cast<ShaderInstance *>(instance)->settings;
}

inline PolygonSetEntry &AddSet(LWInstance instance, const std::string &name, double angle,
                               int sameSetOnly = 0, int enabled = 1) {
    PolygonSetEntry &entry = SettingsOf(instance).append(name);
    entry.enabled = enabled;
    entry.angle = angle;
    entry.sameSetOnly = sameSetOnly;
    return entry;
}
