// A settings file: a first line naming the file's kind and version; when the polygon sets were
// made for the run (`--sets-from`), a line naming what they were made of; then per surface the
// module's record as its save callback writes it in a scene, in a text block named after the
// surface.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/surface_filter.h"

// Loads the blocks of the surfaces the filter admits. Throws std::runtime_error naming the file,
// and nothing is loaded, when it is not a settings file, is damaged, names a surface or a polygon
// set the object does not have (listing the sets it has), or holds a record the module would lose
// or misread (naming surface and set).
void LoadSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const SurfaceFilter &filter);
// The same for a file's bytes already read; `path` names it in errors.
void LoadSettings(HostSession &session, const ObjectFile &file, const std::string &path,
                  const std::vector<unsigned char> &bytes, const SurfaceFilter &filter);
// What the polygon sets of the file's object were made of when it was saved (the `--sets-from`
// name), or nothing when they were its parts. Throws std::runtime_error naming the file when it
// cannot be read or is not a settings file.
std::optional<std::string> SettingsSetsFrom(const std::string &path);
// Writes a block for every surface with an instance, once every block reads back, after a line
// naming `setsFrom` unless it is empty. Throws std::runtime_error naming the file (and the surface
// and set that would not read back) when it cannot be written; what was there stays.
void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const std::string &setsFrom = "");
