// The host's streams in their scene-file form: one line per write call, blocks as a line
// `{ Token`, their contents indented, and a line `}`; a leaf block is one line, its token and
// then its values. Strings are in double quotes; only bytes 32-255 can be written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/streams/load_stream.h"
#include "host/streams/save_stream.h"

class TextSaveStream final : public SaveStream {
  public:
    TextSaveStream() : SaveStream(LWIO_ASCII) {}

    void writeValues(ValueKind kind, const void *values, int count) override;
    void writeString(const char *text) override;
    void writeIdent(const LWBlockIdent &ident) override;
    void beginBlock(const LWBlockIdent &ident, bool leaf) override;
    void endBlock() override;
    std::size_t depth() const override { return open.size(); }

  private:
    struct OpenBlock {
        std::string token;
        bool leaf;
    };
    bool inLeaf() const { return !open.empty() && open.back().leaf; }
    bool writable(std::string_view what, std::string_view text);
    bool validToken(const LWBlockIdent &ident);
    void startLine();
    // One item: a line of its own, or the next word of the open leaf block's line.
    void putItem(std::string_view text);

    std::vector<OpenBlock> open;
};

class TextLoadStream final : public LoadStream {
  public:
    explicit TextLoadStream(std::vector<unsigned char> data);

    int readValues(ValueKind kind, void *values, int count) override;
    int readString(char *buffer, int max) override;
    LWID readIdent(const LWBlockIdent *list) override;
    LWID findBlock(const LWBlockIdent *list) override;
    void endBlock() override;
    std::size_t depth() const override { return open.size(); }

    // The 0-based line the next read outside a leaf block takes.
    std::size_t line() const { return next; }
    // The 1-based line the last read, block found or block ended took, or 0 before any.
    std::size_t lastLine() const { return inLeaf() ? open.back().line + 1 : next; }

    // From here on, whatever the reads lose is damage, noted with its line: a value not of the
    // kind read, words after the values a read took from a line, lines findBlock passes over, the
    // unread rest of a block endBlock closes, a } that closes no block. For a checker that must
    // see every word of a file read; the reads themselves stay as lenient as a module expects.
    void noteWhatIsLost() { strict = true; }

  private:
    struct OpenBlock {
        bool leaf;
        std::size_t line;    // where it starts
        std::size_t column;  // leaf: where its next value starts
    };
    bool inLeaf() const { return !open.empty() && open.back().leaf; }
    // What a read takes: the rest of the open leaf block's line, or the next line when it holds
    // values (the line is then used up, whatever the read makes of it). Empty when there is none.
    bool takeSource(std::string_view &source);
    void advanceLeaf(std::string_view source, std::string_view rest);
    // The line that closes the block whose contents start at `from`, or the number of lines.
    std::size_t closingLine(std::size_t from) const;
    // Callers note only when strict, so that lenient reads spend nothing on messages.
    void noteLost(std::size_t line, const std::string &problem);
    // Words after what a read took, which the read's line then loses.
    void noteLeftOver(std::size_t line, std::string_view rest);
    void notePassedOver(std::size_t line, const LWBlockIdent *list);
    // The lines from `from` up to the block's closing line `close` that a reader left, but for
    // blank ones.
    void noteUnread(std::size_t from, std::size_t close, std::string_view token);

    std::string text;
    std::vector<std::string_view> lines;
    std::size_t next = 0;
    std::vector<OpenBlock> open;
    bool strict = false;
};
