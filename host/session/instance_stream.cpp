#include "host/session/instance_stream.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "host/session/set_list_record.h"
#include "host/streams/stream_file.h"

namespace {

std::vector<StoredSet> StoredSetsIn(const std::vector<unsigned char> &bytes, int ioMode) {
    auto stream = MakeLoadStream(ioMode, bytes);
    return ReadStoredSets(*stream, bytes.size());
}

// The first set the second list does not hold as the first does.
std::string FirstChangedSet(const std::vector<StoredSet> &before,
                            const std::vector<StoredSet> &after) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        bool same =
            i < after.size() && after[i].name == before[i].name &&
            after[i].enabled == before[i].enabled &&
            after[i].sameSetOnly == before[i].sameSetOnly &&
            std::memcmp(&after[i].angleRadians, &before[i].angleRadians, sizeof(double)) == 0;
        if (!same) return std::string("set \"").append(before[i].name, 0, 40).append("\"");
    }
    return "a set after the last";
}

}  // namespace

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

std::vector<unsigned char> SavedBytesReadBack(HostSession &session, LWInstance instance,
                                              int ioMode) {
    // The text form has no limit on a block's size, so it shows every set, also those the
    // binary form cannot hold.
    std::vector<unsigned char> text = SavedBytes(session, instance, LWIO_ASCII);
    std::vector<StoredSet> sets = StoredSetsIn(text, LWIO_ASCII);
    if (ioMode == LWIO_BINARY) CheckBinaryFit(sets);
    std::vector<unsigned char> bytes =
        ioMode == LWIO_ASCII ? std::move(text) : SavedBytes(session, instance, ioMode);
    auto stream = MakeLoadStream(ioMode, bytes);
    LoadInstance(session, instance, *stream);
    std::vector<unsigned char> again = SavedBytes(session, instance, ioMode);
    if (again != bytes)
        throw std::runtime_error(FirstChangedSet(sets, StoredSetsIn(again, ioMode)) +
                                 ": the module does not read its setting back as written");
    return bytes;
}
