#include "host/streams/load_stream.h"

#include "host/streams/stream_record.h"

namespace {

LoadStream &Self(void *data) {
    return *static_cast<LoadStream *>(data);
}

// A module must never see an exception; a failed read reads nothing.
template <typename Result, typename Body>
Result Checked(Result neutral, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return neutral;
    }
}

template <ValueKind kind, typename T>
struct ReadValues {
    static int call(void *data, T *values, int count) {
        if (count < 0) return 0;
        return Checked(0, [&] {
            if (values || count == 0) return Self(data).readValues(kind, values, count);
            Self(data).refusedRead(kind, count);
            return 0;
        });
    }
};

int ReadStr(void *data, char *buffer, int max) {
    if (!buffer || max <= 0) return -1;
    return Checked(-1, [&] { return Self(data).readString(buffer, max); });
}

LWID ReadID(void *data, const LWBlockIdent *list) {
    return Checked(LWID{0}, [&] { return Self(data).readIdent(list); });
}

LWID FindBlk(void *data, const LWBlockIdent *list) {
    return Checked(LWID{0}, [&] { return Self(data).findBlock(list); });
}

void EndBlk(void *data) {
    Checked(0, [&] { return Self(data).recordEndBlk(), 0; });
}

}  // namespace

LoadStream::LoadStream(int ioMode)
    : record(
          StreamRecord<LWLoadState, ReadValues>(ioMode, this, ReadStr, ReadID, FindBlk, EndBlk)) {}

void LoadStream::noteDamage(std::string problem) {
    if (firstDamage.empty()) firstDamage = std::move(problem);
}
