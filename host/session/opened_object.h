// An object opened for work: read from its file, its polygon sets made or taken, served to the
// module in a host session, with the settings asked for applied through the module, in the order
// a user gives them: those stored in the object, a settings file, then each set request. Every
// command, test, benchmark and the view start here; nothing else puts one together.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/non_copyable.h"
#include "host/scene/host_normals.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/surface_filter.h"

struct OpenRequest {
    std::string object;      // the object file
    std::string modulePath;  // the module file to load
    // Where the polygon sets come from in place of the object's parts (see
    // host/scene/polygon_set_sources.h); empty: the object's own.
    std::string setsFrom;
    std::string settingsFile;              // empty: none
    std::vector<std::string> setRequests;  // `NAME[:ANGLE][:same|:cross][:off]` texts, in order
    std::optional<std::string> surface;    // limits every setting to this surface
    std::optional<double> hostAngle;       // degrees, in place of each surface's own smoothing
    // Off, the settings the object stores are left out, as when the shader was just added.
    bool storedSettings = true;
    // Makes polygon sets of a kind this layer does not make itself (those proposed for an object
    // without sets), in place of `setsFrom`: gives the object's polygons their PART tags and
    // returns the settings proposed for the sets, which apply after the stored settings and
    // before the settings file and the set requests, so that those change them.
    std::function<std::vector<SetRequest>(ObjectFile &)> proposeSets;
    // Told before work that takes long for the module's own reasons (long_set_list_warning.h).
    WarningSink warn = {};
    // The object file's bytes when the caller has read them already; read from `object` if null.
    const std::vector<std::uint8_t> *bytes = nullptr;
};

class OpenedObject : NonCopyable {
  public:
    // Throws std::runtime_error naming the file (and the option) when the object cannot be
    // read, the module cannot be loaded or a setting cannot be applied; std::invalid_argument
    // for a set request it cannot read.
    explicit OpenedObject(const OpenRequest &request);
    // The same object with the polygon sets made from `setsFrom` (empty: the object's own),
    // served in a new session that starts from the settings of `opened`, carried over through
    // the module's own save and load: a set keeps its settings where its name stays. The module
    // serves one scene at a time, so `opened` ends first.
    static std::unique_ptr<OpenedObject> WithSetsFrom(std::unique_ptr<OpenedObject> opened,
                                                      const std::string &setsFrom);

    HostSession &session() { return hosted; }
    const ObjectItem &item() const { return hosted.scene().items.front(); }
    const ObjectFile &file() const { return *item().file; }
    const PolygonSets &sets() const { return setList; }
    // What the set requests did, for the user: how many sets each pattern matched.
    const std::vector<std::string> &notes() const { return requestNotes; }
    // The host's smoothing of each surface, with the request's host angle in place of each
    // surface's own when one was given.
    geometry::SmoothingAngles hostSmoothing() const;
    // The host's normal at every corner, in polygon order, then corner order.
    std::vector<geometry::Vec3> hostNormals() const;

  private:
    OpenedObject(const OpenRequest &request,
                 std::pair<std::shared_ptr<ObjectFile>, std::vector<SetRequest>> read);
    OpenedObject(const OpenRequest &request, std::shared_ptr<ObjectFile> file,
                 const std::vector<ShaderBlock> *carried, const std::vector<SetRequest> &proposed);

    OpenRequest request;
    HostSession hosted;
    PolygonSets setList;
    std::vector<std::string> requestNotes;
};
