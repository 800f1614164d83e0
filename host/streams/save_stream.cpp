#include "host/streams/save_stream.h"

#include <stdexcept>

#include "host/streams/stream_record.h"

namespace {

SaveStream &Self(void *data) {
    return *static_cast<SaveStream *>(data);
}

// A module must never see an exception; a failure shows up in the stream's error instead.
template <typename Body>
void Checked(void *data, Body body) noexcept {
    SaveStream &stream = Self(data);
    if (stream.failed()) return;
    try {
        body(stream);
    } catch (const std::exception &e) {
        stream.refuse(e.what());
    } catch (...) {
        stream.refuse("unknown failure");
    }
}

template <ValueKind kind, typename T>
struct WriteValues {
    static void call(void *data, const T *values, int count) {
        Checked(data, [&](SaveStream &stream) {
            if (count <= 0) return stream.writeValues(kind, values, 0);
            if (!values)
                return stream.refuse(std::string("write") + ValueKindName(kind) + " of " +
                                     std::to_string(count) + " values from a null pointer");
            stream.writeValues(kind, values, count);
        });
    }
};

void WriteStr(void *data, const char *text) {
    Checked(data, [&](SaveStream &stream) {
        if (!text) return stream.refuse("writeStr of a null pointer");
        stream.writeString(text);
    });
}

void WriteID(void *data, const LWBlockIdent *ident) {
    Checked(data, [&](SaveStream &stream) {
        if (!ident) return stream.refuse("writeID of a null identifier");
        stream.writeIdent(*ident);
    });
}

void BeginBlk(void *data, const LWBlockIdent *ident, int leaf) {
    Checked(data, [&](SaveStream &stream) {
        if (!ident) return stream.refuse("beginBlk of a null identifier");
        stream.beginBlock(*ident, leaf != 0);
    });
}

void EndBlk(void *data) {
    Checked(data, [](SaveStream &stream) { stream.endBlock(); });
}

}  // namespace

SaveStream::SaveStream(int ioMode)
    : record(StreamRecord<LWSaveState, WriteValues>(ioMode, this, WriteStr, WriteID, BeginBlk,
                                                    EndBlk)) {}

void SaveStream::refuse(std::string problem) {
    if (refusal.empty()) refusal = problem.empty() ? "refused" : std::move(problem);
}

const std::vector<unsigned char> &SaveStream::bytes() const {
    if (failed()) throw std::runtime_error(refusal);
    if (depth() != 0)
        throw std::runtime_error(std::to_string(depth()) + " block(s) left open at byte " +
                                 std::to_string(out.size()));
    return out;
}
