#include "tools/velmora/settings.h"

#include <algorithm>
#include <stdexcept>

#include "host/formats/lwo2_reader.h"
#include "host/formats/obj_reader.h"
#include "host/panels/scripted_user.h"
#include "host/streams/stream_file.h"

namespace {

// Scene files keep each surface's record in a block of its own, named by the surface.
constexpr LWBlockIdent SurfaceBlock[] = {{LWID_('S', 'U', 'R', 'F'), "Surface"}, {0, nullptr}};
constexpr char DefaultOrdinal[] = "\x80";

std::string Extension(const std::string &path) {
    std::size_t dot = path.find_last_of('.');
    std::string extension = dot == std::string::npos ? "" : path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void LoadInstance(HostSession &session, LWInstance instance, LoadStream &stream) {
    LWError error = session.handler().inst->load(instance, stream.state());
    if (error) throw std::runtime_error(std::string("the shader could not load: ") + error);
}

std::vector<unsigned char> SavedBytes(HostSession &session, LWInstance instance, int ioMode) {
    auto stream = MakeSaveStream(ioMode);
    LWError error = session.handler().inst->save(instance, stream->state());
    if (error) throw std::runtime_error(std::string("the shader could not save: ") + error);
    return stream->bytes();
}

std::string KnownSets(const ObjectFile &file) {
    std::string known;
    for (const std::string &surface : file.surfaces) {
        std::string names;
        for (const SetCount &set : SetsOfSurface(file, surface))
            names += (names.empty() ? "" : ", ") + ("\"" + set.name + "\"");
        if (names.empty()) continue;
        known += (known.empty() ? "" : "; ") + surface + ": " + names;
    }
    return known.empty() ? "the object has no polygon sets" : "sets: " + known;
}

ScriptedUser ScriptFor(const SetRequest &request) {
    ScriptedUser user;
    user.pick("Polygon set : ", request.name)
        .setBox("enable smoothing", true)
        .typeAngle("Smoothing angle [deg.] : ", request.angleDegrees)
        .setBox("smooth only same polygon set", request.sameSetOnly);
    if (!request.enabled) user.setBox("enable smoothing", false);
    return user.close();
}

}  // namespace

std::shared_ptr<ObjectFile> LoadObjectFile(const std::string &path) {
    std::string extension = Extension(path);
    if (extension == "lwo") return std::make_shared<ObjectFile>(ReadLwo2(path));
    if (extension == "obj") return std::make_shared<ObjectFile>(ReadObj(path));
    throw std::runtime_error(path + ": unknown object format (expected .lwo or .obj)");
}

std::vector<SetCount> SetsOfSurface(const ObjectFile &file, const std::string &surface) {
    std::vector<SetCount> sets;
    for (const MeshPolygon &polygon : file.mesh.polygons) {
        if (polygon.surface != surface || !polygon.part) continue;
        auto found = std::find_if(sets.begin(), sets.end(),
                                  [&](const SetCount &set) { return set.name == *polygon.part; });
        if (found == sets.end()) found = sets.insert(sets.end(), {*polygon.part, 0});
        ++found->polygons;
    }
    return sets;
}

void LoadShaderBlocks(HostSession &session, const ObjectFile &file, const SurfaceFilter &filter) {
    for (const ShaderBlock &block : file.shaders) {
        if (block.server != ShaderServer || !filter.admits(block.surface)) continue;
        LWInstance instance = session.attach(file, block.surface);
        auto stream = MakeLoadStream(LWIO_BINARY, {block.data.begin(), block.data.end()});
        try {
            LoadInstance(session, instance, *stream);
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(file.filename + ": surface \"" + block.surface +
                                     "\": " + error.what());
        }
    }
}

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

std::vector<std::string> ApplySetRequests(HostSession &session, const ObjectFile &file,
                                          const std::vector<SetRequest> &requests,
                                          const SurfaceFilter &filter) {
    std::vector<std::string> warnings;
    for (const SetRequest &request : requests) {
        bool applied = false;
        for (const std::string &surface : file.surfaces) {
            if (!filter.admits(surface)) continue;
            std::vector<SetCount> sets = SetsOfSurface(file, surface);
            bool holds = std::any_of(sets.begin(), sets.end(),
                                     [&](const SetCount &set) { return set.name == request.name; });
            if (!holds) continue;
            ScriptedUser user = ScriptFor(request);
            try {
                session.editOptions(session.attach(file, surface), user);
            } catch (const std::runtime_error &error) {
                throw std::runtime_error(file.filename + ": surface \"" + surface +
                                         "\": options dialog: " + error.what());
            }
            applied = true;
        }
        if (!applied)
            warnings.push_back("no polygon set named \"" + request.name + "\"" +
                               (filter.only ? " on surface \"" + *filter.only + "\"" : "") +
                               " in " + file.filename + "; " + KnownSets(file));
    }
    return warnings;
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
        std::vector<unsigned char> bytes = SavedBytes(session, instance, LWIO_BINARY);
        block.data.assign(bytes.begin(), bytes.end());
        blocks.push_back(std::move(block));
    }
    return blocks;
}
