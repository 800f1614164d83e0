// A chunk or sub-chunk as it lies in a file, for edits that copy most of a file's bytes as they
// are and rewrite a few pieces.
#pragma once

#include <cstddef>

#include "host/formats/id_text.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"

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

// An LWO2 object's FORM header and a cursor over its chunks, after the form type.
struct Lwo2Form {
    IffCursor::Chunk header;
    IffCursor chunks;
};

// Reads the form that `whole` covers, which ends past it. Fails naming what the file is instead.
inline Lwo2Form EnterLwo2Form(IffCursor &whole) {
    IffCursor::Chunk form = whole.chunkHeader(4);
    if (form.id != kFormId) whole.fail("not an IFF file (starts with " + IdText(form.id) + ")");
    IffCursor chunks = whole.enter(form, "chunk");
    LWID type = chunks.id4();
    if (type != kLwo2Id) whole.fail("not an LWO2 object (form type " + IdText(type) + ")");
    return {form, chunks};
}
