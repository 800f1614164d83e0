#include "host/session/settings_file.h"

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "host/session/instance_stream.h"
#include "host/session/set_list_record.h"
#include "host/streams/stream_file.h"
#include "host/streams/text_stream.h"

namespace {

// Scene files keep each surface's record in a block of its own, named by the surface.
constexpr LWBlockIdent SurfaceBlock[] = {{LWID_('S', 'U', 'R', 'F'), "Surface"}, {0, nullptr}};
// The first line says what the file is, so that any other file is told apart from one that holds
// no settings.
constexpr LWBlockIdent HeaderBlock[] = {{LWID_('V', 'S', 'E', 'T'), "VelmoraSettings"},
                                        {0, nullptr}};
constexpr int FileVersion = 1;
// After the first line, when the object's polygon sets were made for the run that saved the file:
// what they were made of, the name `--sets-from` takes. Files without it hold the object's parts,
// as every file did before it.
constexpr LWBlockIdent SetsFromBlock[] = {{LWID_('V', 'S', 'R', 'C'), "SetsFrom"}, {0, nullptr}};
// The blocks that may come after the first line, in the order they come.
constexpr LWBlockIdent LaterBlocks[] = {SetsFromBlock[0], SurfaceBlock[0], {0, nullptr}};

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

// What a reading of the file found wrong: the first word the stream found lost, which came first,
// or else `problem` at the line the reads stopped at.
[[noreturn]] void Refuse(const TextLoadStream &stream, const std::string &where,
                         const std::string &problem) {
    throw std::runtime_error(where + ": " +
                             (stream.damage().empty()
                                  ? "line " + std::to_string(stream.lastLine()) + ": " + problem
                                  : stream.damage()));
}

// A stream at the file's first surface block. Files written before the first line named the
// format start straight with a surface block; they still load, while any other file without that
// line is refused rather than read as one that holds no settings. The stream notes what its reads
// lose, so that a refusal names the word at fault rather than what a failed read left.
std::unique_ptr<TextLoadStream> OpenSettings(const std::string &path,
                                             const std::vector<unsigned char> &bytes) {
    auto open = [&] {
        auto stream = std::make_unique<TextLoadStream>(bytes);
        stream->noteWhatIsLost();
        return stream;
    };
    auto stream = open();
    if (stream->findBlock(HeaderBlock)) {
        int version = 0;
        if (stream->readValues(ValueKind::I4, &version, 1) != 1)
            Refuse(*stream, path, "no settings file version");
        if (version != FileVersion)
            Refuse(*stream, path,
                   "settings file version " + std::to_string(version) + " is not the " +
                       std::to_string(FileVersion) + " this host reads");
        stream->endBlock();
        return stream;
    }
    if (!TextLoadStream(bytes).findBlock(SurfaceBlock))
        throw std::runtime_error(path + ": not a settings file: it does not start with " +
                                 HeaderBlock[0].token);
    return open();
}

// Sets the record names that the object does not have would change nothing: the module keeps
// settings only for the sets it finds.
void CheckSetsExist(const std::vector<StoredSet> &stored, const std::vector<std::string> &sets) {
    std::vector<std::string> missing;
    for (const StoredSet &set : stored)
        if (std::find(sets.begin(), sets.end(), set.name) == sets.end())
            missing.push_back(set.name);
    if (missing.empty()) return;
    throw std::runtime_error(
        std::string(missing.size() == 1 ? "polygon set " : "polygon sets ") + QuotedList(missing) +
        (missing.size() == 1 ? " is" : " are") +
        " not among the object's (its sets: " + (sets.empty() ? "none" : QuotedList(sets)) +
        "); save the settings again from this object, or give the --sets-from they were made "
        "with");
}

// The record of one surface block, checked: `where` names the file and the surface.
void CheckSurfaceRecord(TextLoadStream &stream, std::vector<char> &buffer,
                        const std::vector<std::string> &sets, const std::string &where) {
    std::vector<StoredSet> stored;
    try {
        stored = ReadStoredSets(stream, buffer, StoredSetReading::asEdited);
    } catch (const std::runtime_error &error) {
        Refuse(stream, where, error.what());
    }
    stream.endBlock();
    if (!stream.damage().empty()) throw std::runtime_error(where + ": " + stream.damage());
    try {
        CheckSetsExist(stored, sets);
    } catch (const std::runtime_error &error) {
        throw std::runtime_error(where + ": " + error.what());
    }
}

// Every block is read as the module would read it, and refused when the module would lose or
// misread anything, before any block is applied. Nothing may come between or after the blocks,
// a surface has one block, and the SetsFrom line comes first, where SettingsSetsFrom reads it.
void CheckSettings(const ObjectFile &file, const std::string &path,
                   const std::vector<unsigned char> &bytes) {
    auto stream = OpenSettings(path, bytes);
    std::vector<char> buffer(bytes.size() + 1);
    std::vector<std::string> sets = CollectPolygonSets(file.mesh).names;
    std::map<std::string, std::size_t> surfaceLines;
    std::size_t blocksBefore = 0;
    for (LWID block; (block = stream->findBlock(LaterBlocks)) != 0; ++blocksBefore) {
        // Lines passed over to reach the block come first, and belong to no surface.
        if (!stream->damage().empty()) break;
        if (block == SetsFromBlock[0].id) {
            if (blocksBefore > 0)
                Refuse(*stream, path, "SetsFrom after another block; it must come first");
            if (stream->readString(buffer.data(), static_cast<int>(buffer.size())) < 0)
                Refuse(*stream, path, "a SetsFrom block without a source");
            stream->endBlock();
            continue;
        }
        const std::size_t line = stream->lastLine();
        std::string surface = SurfaceOfBlock(*stream, buffer, file, path);
        const auto [first, isNew] = surfaceLines.emplace(surface, line);
        if (!isNew)
            Refuse(*stream, path,
                   "a second block for surface " + QuotedName(surface) +
                       ", whose first is at line " + std::to_string(first->second) +
                       "; only the last would be kept");
        CheckSurfaceRecord(*stream, buffer, sets, path + ": surface " + QuotedName(surface));
    }
    if (!stream->damage().empty()) throw std::runtime_error(path + ": " + stream->damage());
}

}  // namespace

std::optional<std::string> SettingsSetsFrom(const std::string &path) {
    std::vector<unsigned char> bytes = ReadStreamFile(path);
    auto stream = OpenSettings(path, bytes);
    if (stream->findBlock(LaterBlocks) != SetsFromBlock[0].id) return std::nullopt;
    std::vector<char> buffer(bytes.size() + 1);
    int length = stream->readString(buffer.data(), static_cast<int>(buffer.size()));
    if (length < 0) throw std::runtime_error(path + ": a SetsFrom block without a source");
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

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

void SaveSettingsFile(HostSession &session, const ObjectFile &file, const std::string &path,
                      const std::string &setsFrom) {
    auto stream = MakeSaveStream(LWIO_ASCII);
    const LWSaveState &state = *stream->state();
    state.beginBlk(state.writeData, &HeaderBlock[0], 1);
    state.writeI4(state.writeData, &FileVersion, 1);
    state.endBlk(state.writeData);
    if (!setsFrom.empty()) {
        state.beginBlk(state.writeData, &SetsFromBlock[0], 1);
        state.writeStr(state.writeData, setsFrom.c_str());
        state.endBlk(state.writeData);
    }
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
