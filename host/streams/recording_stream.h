// Streams that keep every call a module makes as one line of text, so that tests can compare the
// exact sequence of operations: values are spelled as in scene files (FormatValues).
#pragma once

#include <string>
#include <vector>

#include "host/streams/load_stream.h"
#include "host/streams/save_stream.h"

// Records writes and keeps no bytes: `writeI4 256`, `writeStr "plist"`, `writeU4 50555352`,
// `writeU1 3FF8FE3CC6FF87DE`, `beginBlk PDLB PluginDataLib 0`, `endBlk`.
class RecordingSaveStream final : public SaveStream {
  public:
    explicit RecordingSaveStream(int ioMode = LWIO_ASCII) : SaveStream(ioMode) {}

    const std::vector<std::string> &calls() const { return log; }

    void writeValues(ValueKind kind, const void *values, int count) override;
    void writeString(const char *text) override;
    void writeIdent(const LWBlockIdent &ident) override;
    void beginBlock(const LWBlockIdent &ident, bool leaf) override;
    void endBlock() override;
    std::size_t depth() const override { return open; }

  private:
    std::vector<std::string> log;
    std::size_t open = 0;
};

// Forwards every read to another load stream and records it with its result:
// `readI4 1 -> 1`, `readStr 512 -> 5 "plist"`, `findBlk PDPR -> PDPR`, `findBlk PDPR -> 0`,
// `endBlk`; a read the record refused as `readI4 2 into null -> 0`.
class RecordingLoadStream final : public LoadStream {
  public:
    explicit RecordingLoadStream(LoadStream &source) : LoadStream(source.mode()), source(source) {}

    const std::vector<std::string> &calls() const { return log; }

    int readValues(ValueKind kind, void *values, int count) override;
    int readString(char *buffer, int max) override;
    LWID readIdent(const LWBlockIdent *list) override;
    LWID findBlock(const LWBlockIdent *list) override;
    void endBlock() override;
    void recordEndBlk() override;
    std::size_t depth() const override { return source.depth(); }
    void refusedRead(ValueKind kind, int count) override;

  private:
    LoadStream &source;
    std::vector<std::string> log;
};
