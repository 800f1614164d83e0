// What the --sets-from and --set options do to a run: which polygon sets it works on, and the
// settings the module's dialog takes for them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/long_set_list_warning.h"
#include "host/session/surface_filter.h"

// The object at `path` as read, or as `bytes` hold it when the caller has read the file already;
// with `setsFrom` ("surfaces", "groups", "smoothing-groups") its PART tags replaced by the sets
// made of that. Throws std::runtime_error naming the file and the option when the object has
// nothing of the kind.
std::shared_ptr<ObjectFile> LoadObjectWithSets(const std::string &path, const std::string &setsFrom,
                                               const std::vector<std::uint8_t> *bytes = nullptr);

// What --sets-from can make polygon sets of in this object, the shape first: "shape",
// "surfaces", and "normals" and "smoothing-groups" where it carries them. (Its groups are its
// polygon sets already.)
std::vector<std::string> SetSourcesOf(const ObjectFile &file);

// Works each `--set` option text through the dialog, warning `warn` first where that takes long.
// Returns a line for the user for each pattern saying how many sets it matched; throws
// std::invalid_argument for an option it cannot read and std::runtime_error naming the option,
// the file and the sets there are for one that matches no set.
std::vector<std::string> ApplySetOptions(HostSession &session, const ObjectFile &file,
                                         const std::vector<std::string> &options,
                                         const SurfaceFilter &filter, const WarningSink &warn = {});
