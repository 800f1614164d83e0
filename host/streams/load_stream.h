// A load stream of the stand-in host: the host's record of read operations over bytes held in
// memory. Text (scene files) and binary (object files) forms derive from it.
#pragma once

#include <cstddef>
#include <string>

#include "host/non_copyable.h"
#include "host/streams/stream_values.h"
#include "hostapi/lwio.h"

class LoadStream : NonCopyable {
  public:
    explicit LoadStream(int ioMode);
    virtual ~LoadStream() = default;

    // The record handed to a module; valid while the stream lives.
    const LWLoadState *state() const { return &record; }
    int mode() const { return record.ioMode; }

    // The record's functions forward here once they have checked their arguments (a read of no
    // values takes nothing from the stream). Each read
    // returns how many values it read; readString the length of the text it stored, or -1 when
    // no text is there.
    virtual int readValues(ValueKind kind, void *values, int count) = 0;
    virtual int readString(char *buffer, int max) = 0;
    virtual LWID readIdent(const LWBlockIdent *list) = 0;
    // Reads ahead within the current block, passing over blocks not in `list`; on a match the
    // block is open and its id returned. Otherwise 0, and the position stays where it was.
    virtual LWID findBlock(const LWBlockIdent *list) = 0;
    // Moves past the end of the innermost open block, passing over anything unread. Does
    // nothing when no block is open.
    virtual void endBlock() = 0;
    // The number of blocks open.
    virtual std::size_t depth() const = 0;
    // A read of values into a null destination, which the record refuses: the module is told 0
    // and nothing is taken from the stream. A recording stream keeps it, so that a test sees a
    // module ask for one.
    virtual void refusedRead(ValueKind, int) {}
    // What the record's endBlk does: endBlock, unless the block is one the host holds open.
    virtual void recordEndBlk() {
        if (depth() > floor) endBlock();
    }

    // Keeps the blocks open now out of reach of the record's endBlk, which then does nothing at
    // this depth: a module handed the stream inside a host block cannot close the host's blocks.
    void holdOpenBlocks() { floor = depth(); }
    void releaseOpenBlocks() { floor = 0; }
    std::size_t heldDepth() const { return floor; }

    // The first damage the reads met (a block overrunning its parent, an unclosed block), or
    // empty.
    const std::string &damage() const { return firstDamage; }

  protected:
    void noteDamage(std::string problem);

  private:
    LWLoadState record;
    std::size_t floor = 0;
    std::string firstDamage;
};
