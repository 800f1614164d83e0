// For tests and checks of shader edits: walks two LWO2 object files side by side, chunk by chunk
// and, inside the SURF chunks of the surfaces edited, sub-chunk by sub-chunk, and names the first
// place where the edited file differs from the original other than where an edit of one server's
// shader data may change it:
// - the size fields of the FORM, of those SURF chunks and of their blocks of the server, and the
//   pad bytes that follow from them;
// - the data after the server name in those blocks' FUNC sub-chunks;
// - one block of the server at the end of such a SURF chunk that had none;
// - SURF chunks of those surfaces at the end of the FORM, when the original had none of theirs.
// Every other byte, in order, must be equal: other chunks whole (pad byte included), the names
// and other sub-chunks of the edited SURF chunks, the edited blocks' headers, their other
// sub-chunks and the server names in their FUNC, and the bytes after the FORM.
// When the polygon sets were edited too, PTAG chunks of type PART may come and go, and a TAGS
// chunk may gain names at its end (its original bytes first) or be added where there was none.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_ids.h"

namespace lwo2_shader_compare {

struct Difference : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A chunk or sub-chunk with all of its bytes: header, body and the pad byte when present.
struct Whole {
    IffCursor::Chunk header;
    std::span<const std::uint8_t> bytes;
    IffCursor body;
};

inline Whole NextWhole(std::span<const std::uint8_t> file, IffCursor &within, int sizeBytes) {
    std::size_t begin = within.offset();
    IffCursor::Chunk header = within.chunkHeader(sizeBytes);
    IffCursor body = within.enter(header, "chunk");
    return {header, file.subspan(begin, within.offset() - begin), body};
}

inline std::string Place(const char *which, const Whole &piece) {
    return std::string(which) + " " + IdText(piece.header.id) + " at byte " +
           std::to_string(piece.header.offset);
}

inline void RequireEqual(const Whole &original, const Whole &edited) {
    if (!std::ranges::equal(original.bytes, edited.bytes))
        throw Difference(Place("original", original) + " differs from " + Place("edited", edited));
}

inline std::span<const std::uint8_t> TakeS0(std::span<const std::uint8_t> file, IffCursor &body) {
    std::size_t begin = body.offset();
    body.s0();
    return file.subspan(begin, body.offset() - begin);
}

struct Files {
    std::span<const std::uint8_t> original, edited;
    std::string server;
    std::vector<std::string> surfaces;
    bool partTags = false;  // whether the polygon sets were edited too
};

// The server named by the block's last FUNC, as the object reader takes it; "" for a texture
// block.
inline std::string BlockServer(IffCursor block) {
    IffCursor::Chunk header = block.chunkHeader(2);
    block.enter(header, "sub-chunk");
    if (header.id != kShdrId) return "";
    std::string server;
    while (!block.atEnd()) {
        IffCursor::Chunk item = block.chunkHeader(2);
        IffCursor body = block.enter(item, "sub-chunk");
        if (item.id == kFuncId) server = body.s0();
    }
    return server;
}

inline void CompareBlock(const Files &files, const Whole &original, const Whole &edited) {
    if (edited.header.id != kBlokId)
        throw Difference(Place("original", original) + " became " + Place("edited", edited));
    IffCursor before = original.body, after = edited.body;
    RequireEqual(NextWhole(files.original, before, 2), NextWhole(files.edited, after, 2));
    while (!before.atEnd()) {
        if (after.atEnd()) throw Difference(Place("edited", edited) + " lost sub-chunks");
        Whole left = NextWhole(files.original, before, 2);
        Whole right = NextWhole(files.edited, after, 2);
        if (left.header.id != kFuncId || right.header.id != kFuncId) {
            RequireEqual(left, right);
            continue;
        }
        if (!std::ranges::equal(TakeS0(files.original, left.body),
                                TakeS0(files.edited, right.body)))
            throw Difference(Place("edited", right) + " names another server");
    }
    if (!after.atEnd()) throw Difference(Place("edited", edited) + " gained sub-chunks");
}

inline void RequireAddedBlock(const Files &files, const Whole &added) {
    if (added.header.id != kBlokId || BlockServer(added.body) != files.server)
        throw Difference(Place("edited", added) + " was added, and is no " + files.server +
                         " block");
}

inline void CompareSurface(const Files &files, const Whole &original, const Whole &edited) {
    IffCursor before = original.body, after = edited.body;
    for (int name = 0; name < 2; ++name)
        if (!std::ranges::equal(TakeS0(files.original, before), TakeS0(files.edited, after)))
            throw Difference(Place("edited", edited) + " has another name or source");
    bool hadBlock = false;
    while (!before.atEnd()) {
        if (after.atEnd()) throw Difference(Place("edited", edited) + " lost sub-chunks");
        Whole left = NextWhole(files.original, before, 2);
        Whole right = NextWhole(files.edited, after, 2);
        if (left.header.id == kBlokId && BlockServer(left.body) == files.server) {
            CompareBlock(files, left, right);
            hadBlock = true;
        } else {
            RequireEqual(left, right);
        }
    }
    if (after.atEnd()) return;
    Whole added = NextWhole(files.edited, after, 2);
    if (hadBlock) throw Difference(Place("edited", added) + " was added beside an edited block");
    RequireAddedBlock(files, added);
    if (!after.atEnd()) throw Difference(Place("edited", edited) + " gained more than a block");
}

inline std::string SurfaceName(IffCursor body) {
    return body.s0();
}

inline bool Edited(const Files &files, const std::string &surface) {
    return std::ranges::find(files.surfaces, surface) != files.surfaces.end();
}

inline void RequireAddedSurface(const Files &files, const Whole &added,
                                const std::vector<std::string> &described) {
    std::string name = added.header.id == kSurfId ? SurfaceName(added.body) : "";
    if (added.header.id != kSurfId || !Edited(files, name) ||
        std::ranges::find(described, name) != described.end())
        throw Difference(Place("edited", added) + " was added, and is no SURF chunk of a " +
                         "surface edited that had none");
    IffCursor body = added.body;
    body.s0();
    body.s0();
    RequireAddedBlock(files, NextWhole(files.edited, body, 2));
    if (!body.atEnd()) throw Difference(Place("edited", added) + " holds more than the block");
}

inline bool IsPartTags(const Whole &chunk) {
    IffCursor body = chunk.body;
    return chunk.header.id == kPtagId && body.id4() == kPartId;
}

// The top-level chunks of a FORM, but for PART tags when those were edited.
inline std::vector<Whole> ComparedChunks(const Files &files, std::span<const std::uint8_t> file,
                                         IffCursor body) {
    std::vector<Whole> chunks;
    while (!body.atEnd()) {
        Whole chunk = NextWhole(file, body, 4);
        if (!files.partTags || !IsPartTags(chunk)) chunks.push_back(chunk);
    }
    return chunks;
}

inline void CompareTags(const Whole &original, const Whole &edited) {
    if (edited.header.id != kTagsId)
        throw Difference(Place("original", original) + " became " + Place("edited", edited));
    IffCursor before = original.body, after = edited.body;
    auto kept = before.take(before.remaining());
    if (after.remaining() < kept.size() || !std::ranges::equal(kept, after.take(kept.size())))
        throw Difference(Place("edited", edited) + " does not begin with the original tags");
}

inline void CompareObjects(const Files &files) {
    IffCursor before(files.original, 0, "original"), after(files.edited, 0, "edited");
    Whole left = NextWhole(files.original, before, 4), right = NextWhole(files.edited, after, 4);
    if (left.header.id != kFormId || right.header.id != kFormId || left.body.id4() != kLwo2Id ||
        right.body.id4() != kLwo2Id)
        throw Difference("not both LWO2 objects");
    std::vector<Whole> originals = ComparedChunks(files, files.original, left.body);
    std::vector<Whole> edits = ComparedChunks(files, files.edited, right.body);
    std::vector<std::string> described;
    std::size_t e = 0;
    for (const Whole &a : originals) {
        if (e < edits.size() && files.partTags && a.header.id != kTagsId &&
            edits[e].header.id == kTagsId)
            ++e;  // a tag list added where the original had none
        if (e == edits.size()) throw Difference("the edited object lost chunks");
        const Whole &b = edits[e++];
        bool edited =
            a.header.id == kSurfId && b.header.id == kSurfId && Edited(files, SurfaceName(a.body));
        if (a.header.id == kSurfId) described.push_back(SurfaceName(a.body));
        if (edited)
            CompareSurface(files, a, b);
        else if (files.partTags && a.header.id == kTagsId)
            CompareTags(a, b);
        else
            RequireEqual(a, b);
    }
    for (; e < edits.size(); ++e) RequireAddedSurface(files, edits[e], described);
    if (!std::ranges::equal(files.original.subspan(before.offset()),
                            files.edited.subspan(after.offset())))
        throw Difference("the bytes after the FORM differ");
}

}  // namespace lwo2_shader_compare

// "" when `edited` differs from `original` only where editing the data of `server`'s shader
// blocks of `surfaces` (and with `partTags`, the polygon sets) may change it; otherwise the first
// other difference, with its place.
inline std::string DifferenceBeyondShaderData(std::span<const std::uint8_t> original,
                                              std::span<const std::uint8_t> edited,
                                              const std::string &server,
                                              const std::vector<std::string> &surfaces,
                                              bool partTags = false) {
    try {
        lwo2_shader_compare::CompareObjects({original, edited, server, surfaces, partTags});
    } catch (const std::exception &error) {
        return error.what();
    }
    return "";
}
