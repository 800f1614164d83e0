// The module linked into the test program, driven by a host session through its descriptor as a
// host drives a module file, and the settings of its instances loaded as a scene gives them.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/session/host_session.h"
#include "host/session/set_list_record_testing.h"
#include "host/streams/stream_file.h"
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

// The instance's settings, to read.
inline const PolygonSetList &SettingsOf(LWInstance instance) {
    return *static_cast<const ShaderInstance *>(instance)->settings;
}

// Gives the instance exactly `sets`, as a scene would: through the module's own load, from the
// record its save writes.
inline void LoadSets(HostSession &host, LWInstance instance, const std::vector<StoredSet> &sets) {
    std::unique_ptr<LoadStream> stream = MakeLoadStream(LWIO_BINARY, SetListRecord(sets));
    host.handler().inst->load(instance, stream->state());
}

// The sets the instance has, and one more after them.
inline void AddSet(HostSession &host, LWInstance instance, const std::string &name, double angle,
                   int sameSetOnly = 0, int enabled = 1) {
    std::vector<StoredSet> sets;
    const PolygonSetList &list = SettingsOf(instance);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PolygonSetEntry &entry = list.at(i);
        sets.push_back({entry.name, entry.enabled, entry.angle, entry.sameSetOnly});
    }
    sets.push_back({name, enabled, angle, sameSetOnly});
    LoadSets(host, instance, sets);
}
