// A settings file: per surface, the module's record as its save callback writes it in a scene,
// in a text block named after the surface.
#pragma once

#include <string>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/surface_filter.h"

// Loads the blocks of the surfaces the filter admits. Throws std::runtime_error naming the file
// when it is damaged or names a surface the object does not have.
void LoadSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const SurfaceFilter &filter);
// Writes a block for every surface with an instance. Throws std::runtime_error naming the file
// when it cannot be written; what was there stays.
void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path);
