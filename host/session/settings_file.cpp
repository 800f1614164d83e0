#include "host/session/settings_file.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "host/scene/quoted_list.h"
#include "host/session/instance_stream.h"
#include "host/session/set_list_record.h"
#include "host/streams/stream_file.h"

namespace {

// Scene files keep each surface's record in a block of its own, named by the surface.
constexpr LWBlockIdent SurfaceBlock[] = {{LWID_('S', 'U', 'R', 'F'), "Surface"}, {0, nullptr}};
// The first line says what the file is, so that any other file is told apart from one that holds
// no settings.
constexpr LWBlockIdent HeaderBlock[] = {{LWID_('V', 'S', 'E', 'T'), "VelmoraSettings"},
                                        {0, nullptr}};
constexpr int FileVersion = 1;

// The surface a block is for, which must be one of the object's.
// `buffer`, as large as the file, serves every block.
std::string SurfaceOfBlock(LoadStream &stream, std::vector<char> &buffer, const ObjectFile &file,
                           const std::string &path) {
    int length = stream.readString(buffer.data(), static_cast<int>(buffer.size()));
    if (length < 0) throw std::runtime_error(path + ": a surface block without a surface name");
    std::string name(buffer.data(), static_cast<std::size_t>(length));
    if (std::find(file.surfaces.begin(), file.surfaces.end(), name) == file.surfaces.end())
        throw std::runtime_error(path + ": surface " + QuotedName(name) + " is not a surface of " +
                                 file.filename);
    return name;
}

// A stream at the file's first surface block. Files written before the first line named the
// format start straight with a surface block; they still load, while any other file without that
// line is refused rather than read as one that holds no settings.
std::unique_ptr<LoadStream> OpenSettings(const std::string &path,
                                         const std::vector<unsigned char> &bytes) {
    auto stream = MakeLoadStream(LWIO_ASCII, bytes);
    if (stream->findBlock(HeaderBlock)) {
        int version = 0;
        if (stream->readValues(ValueKind::I4, &version, 1) != 1 || version != FileVersion)
            throw std::runtime_error(path + ": settings file version " + std::to_string(version) +
                                     " is not the " + std::to_string(FileVersion) +
                                     " this host reads");
        stream->endBlock();
        return stream;
    }
    if (!MakeLoadStream(LWIO_ASCII, bytes)->findBlock(SurfaceBlock))
        throw std::runtime_error(path + ": not a settings file: it does not start with " +
                                 HeaderBlock[0].token);
    return MakeLoadStream(LWIO_ASCII, bytes);
}

// Every block is read as the module would read it, and refused when the module would lose or
// misread anything, before any block is applied.
void CheckSettings(const ObjectFile &file, const std::string &path,
                   const std::vector<unsigned char> &bytes) {
    auto stream = OpenSettings(path, bytes);
    std::vector<char> buffer(bytes.size() + 1);
    while (stream->findBlock(SurfaceBlock)) {
        std::string surface = SurfaceOfBlock(*stream, buffer, file, path);
        try {
            CheckStoredSets(ReadStoredSets(*stream, buffer));
        } catch (const std::runtime_error &error) {
            throw std::runtime_error(path + ": surface " + QuotedName(surface) + ": " +
                                     error.what());
        }
        stream->endBlock();
    }
    if (!stream->damage().empty()) throw std::runtime_error(path + ": " + stream->damage());
}

}  // namespace

void LoadSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const SurfaceFilter &filter) {
    LoadSettings(session, file, path, ReadStreamFile(path), filter);
}

void LoadSettings(HostSession &session, const ObjectFile &file, const std::string &path,
                  const std::vector<unsigned char> &bytes, const SurfaceFilter &filter) {
    CheckSettings(file, path, bytes);
    auto stream = OpenSettings(path, bytes);
    std::vector<char> buffer(bytes.size() + 1);
    while (stream->findBlock(SurfaceBlock)) {
        std::string surface = SurfaceOfBlock(*stream, buffer, file, path);
        if (filter.admits(surface)) {
            stream->holdOpenBlocks();
            LoadInstance(session, session.attach(file, surface), *stream);
            stream->releaseOpenBlocks();
        }
        stream->endBlock();
    }
}

void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path) {
    auto stream = MakeSaveStream(LWIO_ASCII);
    const LWSaveState &state = *stream->state();
    state.beginBlk(state.writeData, &HeaderBlock[0], 1);
    state.writeI4(state.writeData, &FileVersion, 1);
    state.endBlk(state.writeData);
    for (const std::string &surface : file.surfaces) {
        LWInstance instance = session.instanceOf(file, surface);
        if (!instance) continue;
        try {
            SavedBytesReadBack(session, instance, LWIO_ASCII);
        } catch (const std::runtime_error &error) {
            throw std::runtime_error("cannot write " + path + ": surface " + QuotedName(surface) +
                                     ": " + error.what());
        }
        state.beginBlk(state.writeData, &SurfaceBlock[0], 0);
        state.writeStr(state.writeData, surface.c_str());
        session.handler().inst->save(instance, &state);
        state.endBlk(state.writeData);
    }
    if (!stream->failed() && stream->depth() == 0) CheckSettings(file, path, stream->bytes());
    WriteStreamFile(path, *stream);
}
