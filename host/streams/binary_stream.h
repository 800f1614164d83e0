// The host's streams in their object-file form: big-endian values, each block an IFF sub-chunk
// (4-byte id, 16-bit big-endian size, data, a pad byte after odd-sized data), strings with their
// NUL and one more NUL when that makes an odd length.
#pragma once

#include <vector>

#include "host/streams/load_stream.h"
#include "host/streams/save_stream.h"

// A block's size is a 16-bit count; the stream refuses to close a block that holds more.
inline constexpr std::size_t MaxBlockSize = 0xFFFF;

class BinarySaveStream final : public SaveStream {
  public:
    BinarySaveStream() : SaveStream(LWIO_BINARY) {}

    void writeValues(ValueKind kind, const void *values, int count) override;
    void writeString(const char *text) override;
    void writeIdent(const LWBlockIdent &ident) override;
    void beginBlock(const LWBlockIdent &ident, bool leaf) override;
    void endBlock() override;
    std::size_t depth() const override { return open.size(); }

  private:
    struct OpenBlock {
        LWID id;
        std::size_t start;  // where its id is
    };
    std::vector<OpenBlock> open;
};

class BinaryLoadStream final : public LoadStream {
  public:
    explicit BinaryLoadStream(std::vector<unsigned char> data)
        : LoadStream(LWIO_BINARY), data(std::move(data)) {}

    int readValues(ValueKind kind, void *values, int count) override;
    int readString(char *buffer, int max) override;
    LWID readIdent(const LWBlockIdent *list) override;
    LWID findBlock(const LWBlockIdent *list) override;
    void endBlock() override;
    std::size_t depth() const override { return open.size(); }

    std::size_t position() const { return pos; }

  private:
    struct OpenBlock {
        std::size_t end;  // just past its data
        bool padded;      // odd-sized: a pad byte follows
    };
    std::size_t limit() const { return open.empty() ? data.size() : open.back().end; }

    std::vector<unsigned char> data;
    std::size_t pos = 0;
    std::vector<OpenBlock> open;
};
