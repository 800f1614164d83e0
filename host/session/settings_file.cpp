#include "host/session/settings_file.h"

#include <algorithm>
#include <stdexcept>

#include "host/session/instance_stream.h"
#include "host/streams/stream_file.h"

namespace {

// Scene files keep each surface's record in a block of its own, named by the surface.
constexpr LWBlockIdent SurfaceBlock[] = {{LWID_('S', 'U', 'R', 'F'), "Surface"}, {0, nullptr}};

}  // namespace

void LoadSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const SurfaceFilter &filter) {
    auto stream = OpenLoadStream(LWIO_ASCII, path);
    const LWLoadState &state = *stream->state();
    while (state.findBlk(state.readData, SurfaceBlock)) {
        char name[1024] = {};
        if (state.readStr(state.readData, name, sizeof name - 1) < 0)
            throw std::runtime_error(path + ": a surface block without a surface name");
        bool known =
            std::find(file.surfaces.begin(), file.surfaces.end(), name) != file.surfaces.end();
        if (!known)
            throw std::runtime_error(path + ": surface \"" + name + "\" is not a surface of " +
                                     file.filename);
        if (filter.admits(name)) {
            stream->holdOpenBlocks();
            LoadInstance(session, session.attach(file, name), *stream);
            stream->releaseOpenBlocks();
        }
        state.endBlk(state.readData);
    }
    if (!stream->damage().empty()) throw std::runtime_error(path + ": " + stream->damage());
}

void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path) {
    auto stream = MakeSaveStream(LWIO_ASCII);
    const LWSaveState &state = *stream->state();
    for (const std::string &surface : file.surfaces) {
        LWInstance instance = session.instanceOf(file, surface);
        if (!instance) continue;
        state.beginBlk(state.writeData, &SurfaceBlock[0], 0);
        state.writeStr(state.writeData, surface.c_str());
        session.handler().inst->save(instance, &state);
        state.endBlk(state.writeData);
    }
    WriteStreamFile(path, *stream);
}
