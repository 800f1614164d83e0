// A save stream of the stand-in host: the host's record of write operations over a byte buffer
// that the host takes once everything is written. Text (scene files) and binary (object files)
// forms derive from it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/non_copyable.h"
#include "host/streams/stream_values.h"
#include "hostapi/lwio.h"

class SaveStream : NonCopyable {
  public:
    explicit SaveStream(int ioMode);
    virtual ~SaveStream() = default;

    // The record handed to a module; valid while the stream lives.
    const LWSaveState *state() const { return &record; }
    int mode() const { return record.ioMode; }

    // The host writes through these too (the record's functions forward here once they have
    // checked their arguments; a count below zero arrives as zero).
    virtual void writeValues(ValueKind kind, const void *values, int count) = 0;
    virtual void writeString(const char *text) = 0;
    virtual void writeIdent(const LWBlockIdent &ident) = 0;
    virtual void beginBlock(const LWBlockIdent &ident, bool leaf) = 0;
    virtual void endBlock() = 0;
    // The number of blocks open.
    virtual std::size_t depth() const = 0;

    // Why the stream refused a write (the first refusal), or empty. After a refusal the stream
    // ignores every further write.
    const std::string &error() const { return refusal; }
    bool failed() const { return !refusal.empty(); }
    void refuse(std::string problem);

    // Everything written. Throws std::runtime_error naming the refusal, or the blocks still open:
    // such bytes would make a damaged file.
    const std::vector<unsigned char> &bytes() const;

  protected:
    std::vector<unsigned char> out;

  private:
    LWSaveState record;
    std::string refusal;
};
