// The module's settings of an object's surfaces, made, kept and read back as a LightWave user
// would: through the module's own options dialog, its save and load callbacks, the object file's
// shader blocks and settings files.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "tools/velmora/set_request.h"

inline constexpr char ShaderServer[] = "KV_Velmora";

// Reads an LWO2 (.lwo) or OBJ (.obj) object. Throws std::runtime_error naming the file.
std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path);

// The polygon sets of a surface in the order their polygons come, with their polygon counts.
struct SetCount {
    std::string name;
    int polygons = 0;
};
std::vector<SetCount> SetsOfSurface(const ObjectFile &file, const std::string &surface);

// Which surfaces the settings options reach: all of them, or the one named by --surface.
struct SurfaceFilter {
    std::optional<std::string> only;
    bool admits(const std::string &surface) const { return !only || *only == surface; }
};

// Gives each surface that stores the module in the file its instance, loaded from the block.
void LoadShaderBlocks(HostSession &session, const ObjectFile &file, const SurfaceFilter &filter);

// A settings file: per surface, the module's record as its save callback writes it in a scene.
void LoadSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const SurfaceFilter &filter);
void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path);

// Works each request through the module's dialog on every surface holding the set. Returns a
// warning for each request whose set no surface holds, naming the sets that exist.
std::vector<std::string> ApplySetRequests(HostSession &session, const ObjectFile &file,
                                          const std::vector<SetRequest> &requests,
                                          const SurfaceFilter &filter);

// The file's shader blocks with the module's current settings in place of its old ones.
std::vector<ShaderBlock> ShaderBlocksWithSettings(HostSession &session, const ObjectFile &file);
