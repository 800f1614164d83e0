#include "host/formats/lwo2_shader_edit.h"

#include <algorithm>
#include <utility>

#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/iff_piece.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_shader_block.h"

namespace {

constexpr std::size_t kMaxSubChunk = 0xFFFF;
// The ordinal a surface's first block gets; a later block appends to the largest one.
constexpr char kFirstOrdinal[] = "\x80";

// What the editing of a BLOK needs to know of it.
struct BlockHeader {
    std::string ordinal;
    bool shader = false;  // a SHDR block; the others are texture layers
    bool enabled = true;
    std::string server;
};

// Every block header starts with its ordinal. Texture headers are never parsed further here, so
// their ordinal is read leniently: it only places a new block after them.
std::string LeadingString(IffCursor body) {
    auto bytes = body.take(body.remaining());
    return std::string(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
}

// Reads a block with the object reader's code, so that the blocks edited are the ones it loads.
BlockHeader ReadBlockHeader(IffCursor block) {
    BlockHeader result;
    IffPiece header = NextIffPiece(block, 2);
    result.ordinal = LeadingString(header.body);
    if (header.header.id != kShdrId) return result;
    result.shader = true;
    ShaderBlockChunks chunks = ReadShaderBlockChunks(header.body, block);
    result.enabled = chunks.enabled;
    result.server = chunks.server.value_or("");
    return result;
}

class ShaderEditor {
  public:
    ShaderEditor(std::span<const std::uint8_t> file, const std::string &filename,
                 const std::string &server)
        : file(file), filename(filename), server(server) {}

    void copy(std::size_t begin, std::size_t end) { out.bytes(file.subspan(begin, end - begin)); }
    void copy(const IffPiece &piece) { copy(piece.begin, piece.end); }

    void editSurface(const IffPiece &surface, const SurfaceShaderData &edit);
    // For a surface that polygons name but no SURF chunk describes.
    void addSurface(const SurfaceShaderData &edit);

    IffWriter out;
    std::vector<std::string> notes;

  private:
    void replaceData(IffCursor block, const SurfaceShaderData &edit);
    void addBlock(const SurfaceShaderData &edit, const std::string &ordinal);
    void endBlock(std::size_t begin, const SurfaceShaderData &edit);
    [[noreturn]] void refuse(const SurfaceShaderData &edit, std::size_t blockSize) const;

    std::span<const std::uint8_t> file;
    const std::string &filename;
    const std::string &server;
};

void ShaderEditor::refuse(const SurfaceShaderData &edit, std::size_t blockSize) const {
    throw FormatError(filename + ": surface \"" + edit.surface + "\": a " + server +
                      " block with " + std::to_string(edit.data.size()) +
                      " data bytes would take " + std::to_string(blockSize) +
                      " bytes, more than the 65535 a sub-chunk holds");
}

// Ends the BLOK begun at `begin` once its size is known to fit; until then nothing is returned.
void ShaderEditor::endBlock(std::size_t begin, const SurfaceShaderData &edit) {
    std::size_t size = out.size() - begin - 6;
    if (size > kMaxSubChunk) refuse(edit, size);
    out.end();
}

// The block's header and other sub-chunks as they were; its FUNC keeps the server name's bytes
// and takes the new data.
void ShaderEditor::replaceData(IffCursor block, const SurfaceShaderData &edit) {
    std::size_t begin = out.size();
    out.beginSubChunk(kBlokId);
    copy(NextIffPiece(block, 2));
    while (!block.atEnd()) {
        IffPiece item = NextIffPiece(block, 2);
        if (item.header.id != kFuncId) {
            copy(item);
            continue;
        }
        std::size_t nameBegin = item.body.offset();
        item.body.s0();
        WriteShaderFunction(out, file.subspan(nameBegin, item.body.offset() - nameBegin),
                            edit.data);
    }
    endBlock(begin, edit);
}

// The BLOK's size is checked in endBlock, which names the block's size when it is too large.
void ShaderEditor::addBlock(const SurfaceShaderData &edit, const std::string &ordinal) {
    std::size_t begin = out.size();
    out.beginSubChunk(kBlokId);
    WriteShaderBlockChunks(out, ordinal, true, server, edit.data);
    endBlock(begin, edit);
}

void ShaderEditor::editSurface(const IffPiece &surface, const SurfaceShaderData &edit) {
    IffCursor body = surface.body;
    std::size_t namesBegin = body.offset();
    body.s0();
    body.s0();
    out.beginChunk(kSurfId);
    copy(namesBegin, body.offset());
    std::string largestOrdinal;
    int replaced = 0, disabled = 0;
    while (!body.atEnd()) {
        IffPiece item = NextIffPiece(body, 2);
        if (item.header.id != kBlokId) {
            copy(item);
            continue;
        }
        BlockHeader block = ReadBlockHeader(item.body);
        largestOrdinal = std::max(largestOrdinal, block.ordinal);
        if (!block.shader || block.server != server) {
            copy(item);
            continue;
        }
        replaceData(item.body, edit);
        ++replaced;
        disabled += block.enabled ? 0 : 1;
    }
    std::string about = "surface \"" + edit.surface + "\": ";
    if (replaced == 0) {
        // A last sub-chunk of odd size may lack its pad byte at the end of the chunk; the new
        // block must still start on an even byte.
        if (surface.header.size % 2 == 1) out.u1(0);
        addBlock(edit, largestOrdinal.empty() ? kFirstOrdinal : largestOrdinal + kFirstOrdinal);
        notes.push_back(about + server + " block added after its other blocks");
    } else if (replaced == 1) {
        notes.push_back(about + "new settings in its " + server + " block");
    } else {
        notes.push_back(about + "new settings in each of its " + std::to_string(replaced) + " " +
                        server + " blocks");
    }
    if (disabled > 0)
        notes.push_back(about + "its " + server +
                        " block is disabled in the file and stays disabled: the settings take "
                        "effect once it is enabled");
    out.end();
}

void ShaderEditor::addSurface(const SurfaceShaderData &edit) {
    out.beginChunk(kSurfId);
    out.s0(edit.surface);
    out.s0("");
    addBlock(edit, kFirstOrdinal);
    out.end();
    notes.push_back("surface \"" + edit.surface +
                    "\" had no SURF chunk (the host gives it default attributes): one was added "
                    "at the end of the object, holding only the " +
                    server + " block");
}

std::string SurfaceName(IffCursor body) {
    return body.s0();
}

}  // namespace

bool IsLwo2Object(std::span<const std::uint8_t> file) {
    return IffFormType(file) == "LWO2";
}

Lwo2ShaderEdit EditShaderBlocks(std::span<const std::uint8_t> file, const std::string &filename,
                                const std::string &server,
                                const std::vector<SurfaceShaderData> &edits) {
    IffCursor whole(file, 0, filename);
    auto [form, chunks] = EnterLwo2Form(whole);

    ShaderEditor editor(file, filename, server);
    editor.out.beginChunk(kFormId);
    editor.out.id4(kLwo2Id);
    std::vector<bool> described(edits.size(), false);
    while (!chunks.atEnd()) {
        IffPiece chunk = NextIffPiece(chunks, 4);
        auto edit = edits.end();
        if (chunk.header.id == kSurfId) {
            std::string name = SurfaceName(chunk.body);
            edit = std::find_if(edits.begin(), edits.end(),
                                [&](const SurfaceShaderData &e) { return e.surface == name; });
        }
        if (edit == edits.end()) {
            editor.copy(chunk);
            continue;
        }
        described[std::size_t(edit - edits.begin())] = true;
        editor.editSurface(chunk, *edit);
    }
    bool padMissing = form.size % 2 == 1;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        if (described[i]) continue;
        if (std::exchange(padMissing, false)) editor.out.u1(0);
        editor.addSurface(edits[i]);
    }
    editor.out.end();
    editor.copy(whole.offset(), file.size());
    return {editor.out.take(), std::move(editor.notes)};
}

std::vector<SurfaceShaderData> ChangedShaderData(const ObjectFile &before,
                                                 const std::vector<ShaderBlock> &blocks,
                                                 const std::string &server) {
    std::vector<SurfaceShaderData> changed;
    for (const ShaderBlock &block : blocks) {
        if (block.server != server) continue;
        bool stored =
            std::any_of(before.shaders.begin(), before.shaders.end(), [&](const ShaderBlock &old) {
                return old.server == server && old.surface == block.surface &&
                       old.data == block.data;
            });
        if (!stored) changed.push_back({block.surface, block.data});
    }
    return changed;
}
