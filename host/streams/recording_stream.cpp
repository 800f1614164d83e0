#include "host/streams/recording_stream.h"

#include "host/formats/id_text.h"

namespace {

std::string OperationName(const char *prefix, ValueKind kind) {
    std::string name = prefix;
    name += ValueKindName(kind);
    return name;
}

std::string IdList(const LWBlockIdent *list) {
    std::string text;
    for (; list && list->id; ++list) {
        if (!text.empty()) text += ',';
        text += IdText(list->id);
    }
    return text;
}

std::string IdOrZero(LWID id) {
    return id ? IdText(id) : "0";
}

}  // namespace

void RecordingSaveStream::writeValues(ValueKind kind, const void *values, int count) {
    log.push_back(OperationName("write", kind) + " " + FormatValues(kind, values, count));
}

void RecordingSaveStream::writeString(const char *text) {
    log.push_back("writeStr \"" + std::string(text) + "\"");
}

void RecordingSaveStream::writeIdent(const LWBlockIdent &ident) {
    log.push_back("writeID " + IdText(ident.id));
}

void RecordingSaveStream::beginBlock(const LWBlockIdent &ident, bool leaf) {
    log.push_back("beginBlk " + IdText(ident.id) + " " + (ident.token ? ident.token : "(null)") +
                  (leaf ? " 1" : " 0"));
    ++open;
}

void RecordingSaveStream::endBlock() {
    log.push_back("endBlk");
    if (open) --open;
}

int RecordingLoadStream::readValues(ValueKind kind, void *values, int count) {
    const int n = source.readValues(kind, values, count);
    log.push_back(OperationName("read", kind) + " " + std::to_string(count) + " -> " +
                  std::to_string(n));
    return n;
}

void RecordingLoadStream::refusedRead(ValueKind kind, int count) {
    log.push_back(OperationName("read", kind) + " " + std::to_string(count) + " into null -> 0");
}

int RecordingLoadStream::readString(char *buffer, int max) {
    const int n = source.readString(buffer, max);
    log.push_back("readStr " + std::to_string(max) + " -> " + std::to_string(n) +
                  (n >= 0 ? " \"" + std::string(buffer) + "\"" : ""));
    return n;
}

LWID RecordingLoadStream::readIdent(const LWBlockIdent *list) {
    const LWID id = source.readIdent(list);
    log.push_back("readID " + IdList(list) + " -> " + IdOrZero(id));
    return id;
}

LWID RecordingLoadStream::findBlock(const LWBlockIdent *list) {
    const LWID id = source.findBlock(list);
    log.push_back("findBlk " + IdList(list) + " -> " + IdOrZero(id));
    return id;
}

void RecordingLoadStream::endBlock() {
    log.push_back("endBlk");
    source.endBlock();
}

void RecordingLoadStream::recordEndBlk() {
    log.push_back("endBlk");
    source.recordEndBlk();
}
