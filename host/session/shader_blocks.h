// The module's settings as an object file keeps them: in a shader block of each surface that
// carries the module, holding what its save callback wrote in binary form.
#pragma once

#include <vector>

#include "host/scene/scene.h"
#include "host/session/host_session.h"
#include "host/session/surface_filter.h"

inline constexpr char ShaderServer[] = "KV_Velmora";

// Gives each surface that stores the module in the file its instance, loaded from the block.
// Throws std::runtime_error naming the file and the surface when a block holds a record the
// module would lose or misread (naming the set too), or when the module refuses it.
void LoadShaderBlocks(HostSession &session, const ObjectFile &file, const SurfaceFilter &filter);
// The same with `blocks` in place of the file's own, e.g. settings carried from another session.
void LoadShaderBlocks(HostSession &session, const ObjectFile &file,
                      const std::vector<ShaderBlock> &blocks, const SurfaceFilter &filter);

// The file's shader blocks with the module's current settings in place of its old ones. Throws
// std::runtime_error naming the file, surface and set when a setting would not read back.
std::vector<ShaderBlock> ShaderBlocksWithSettings(HostSession &session, const ObjectFile &file);
