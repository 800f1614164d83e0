// A chunk or sub-chunk as it lies in a file, for edits that copy most of a file's bytes as they
// are and rewrite a few pieces.
#pragma once

#include <cstddef>

#include "host/formats/iff_cursor.h"

// [begin, end) covers the header, the body and the pad byte.
struct IffPiece {
    IffCursor::Chunk header;
    std::size_t begin, end;
    IffCursor body;
};

// The next chunk (`sizeBytes` 4) or sub-chunk (2) of `within`, which steps past it.
inline IffPiece NextIffPiece(IffCursor &within, int sizeBytes) {
    std::size_t begin = within.offset();
    IffCursor::Chunk header = within.chunkHeader(sizeBytes);
    IffCursor body = within.enter(header, sizeBytes == 4 ? "chunk" : "sub-chunk");
    return {header, begin, within.offset(), body};
}
