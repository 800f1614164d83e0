#include "host/session/shader_blocks.h"

#include <algorithm>
#include <stdexcept>

#include "host/session/instance_stream.h"
#include "host/session/set_list_record.h"
#include "host/streams/stream_file.h"

namespace {

// The ordinal of a block for a surface that had none.
constexpr char DefaultOrdinal[] = "\x80";

}  // namespace

void LoadShaderBlocks(HostSession &session, const ObjectFile &file, const SurfaceFilter &filter) {
    LoadShaderBlocks(session, file, file.shaders, filter);
}

void LoadShaderBlocks(HostSession &session, const ObjectFile &file,
                      const std::vector<ShaderBlock> &blocks, const SurfaceFilter &filter) {
    for (const ShaderBlock &block : blocks) {
        if (block.server != ShaderServer || !filter.admits(block.surface)) continue;
        LWInstance instance = session.attach(file, block.surface);
        std::vector<unsigned char> bytes(block.data.begin(), block.data.end());
        try {
            // A block with no data holds no settings; any other is checked before the module,
            // which reads anything silently, is handed it.
            if (!bytes.empty()) {
                auto check = MakeLoadStream(LWIO_BINARY, bytes);
                ReadStoredSets(*check, bytes.size());
            }
            auto stream = MakeLoadStream(LWIO_BINARY, std::move(bytes));
            LoadInstance(session, instance, *stream);
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface \"" + block.surface +
                                     "\": " + error.what());
        }
    }
}

std::vector<ShaderBlock> ShaderBlocksWithSettings(HostSession &session, const ObjectFile &file) {
    std::vector<ShaderBlock> blocks;
    for (const ShaderBlock &block : file.shaders)
        if (block.server != ShaderServer || !session.instanceOf(file, block.surface))
            blocks.push_back(block);
    for (const std::string &surface : file.surfaces) {
        LWInstance instance = session.instanceOf(file, surface);
        if (!instance) continue;
        auto old = std::find_if(
            file.shaders.begin(), file.shaders.end(),
            [&](const ShaderBlock &b) { return b.server == ShaderServer && b.surface == surface; });
        ShaderBlock block = old != file.shaders.end()
                                ? *old
                                : ShaderBlock{surface, DefaultOrdinal, true, ShaderServer, {}};
        std::vector<unsigned char> bytes;
        try {
            bytes = SavedBytesReadBack(session, instance, LWIO_BINARY);
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface \"" + surface +
                                     "\": the settings cannot be stored: " + error.what());
        }
        block.data.assign(bytes.begin(), bytes.end());
        blocks.push_back(std::move(block));
    }
    return blocks;
}
