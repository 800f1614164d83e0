#include "host/formats/lwo2_part_edit.h"

#include <map>

#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/iff_piece.h"
#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo_mesh_chunks.h"

namespace {

// A polygon tag names its tag by a two-byte index.
constexpr std::size_t kMostTags = 0x10000;

std::size_t CountPolygons(IffCursor body) {
    body.id4();
    std::size_t count = 0;
    while (!body.atEnd()) {
        std::size_t corners = PolygonCornerCount(body);
        for (std::size_t corner = 0; corner < corners; ++corner) body.vx();
        ++count;
    }
    return count;
}

bool IsPartTags(const IffPiece &chunk) {
    if (chunk.header.id != kPtagId) return false;
    IffCursor body = chunk.body;
    return body.id4() == kPartId;
}

// The polygons of one POLS chunk, numbered through the file.
struct PolygonRun {
    std::size_t first = 0, count = 0;
};

// The file's top-level chunks and where the new PART chunks and names go.
struct Layout {
    std::vector<IffPiece> chunks;
    std::vector<std::string> tags;
    std::map<std::size_t, PolygonRun> partsAfter;  // by the chunk they follow or replace
    std::optional<std::size_t> lastTags, firstPolygons;
    bool tagsAfterPolygons = false;
    std::size_t polygons = 0;
};

// Where a POLS chunk's PART chunk goes, once the chunks that follow it are known.
struct OpenRun {
    PolygonRun run;
    std::size_t anchor;
    bool anchoredAtPart = false;
};

Layout Survey(IffCursor chunks) {
    Layout layout;
    std::optional<OpenRun> open;
    auto close = [&] {
        if (open) layout.partsAfter[open->anchor] = open->run;
        open.reset();
    };
    while (!chunks.atEnd()) {
        std::size_t index = layout.chunks.size();
        IffPiece chunk = NextIffPiece(chunks, 4);
        layout.chunks.push_back(chunk);
        switch (chunk.header.id) {
            case kTagsId:
                for (IffCursor names = chunk.body; !names.atEnd();)
                    layout.tags.push_back(names.s0());
                layout.lastTags = index;
                layout.tagsAfterPolygons = layout.firstPolygons.has_value();
                break;
            case kPolsId:
                close();
                if (!layout.firstPolygons) layout.firstPolygons = index;
                open = OpenRun{{layout.polygons, CountPolygons(chunk.body)}, index};
                layout.polygons += open->run.count;
                break;
            case kLayrId:
                close();
                break;
            case kPtagId:
                if (open && !open->anchoredAtPart) {
                    open->anchor = index;
                    open->anchoredAtPart = IsPartTags(chunk);
                }
                break;
            default:
                break;
        }
    }
    close();
    return layout;
}

class PartEditor {
  public:
    PartEditor(std::span<const std::uint8_t> file, const std::string &filename,
               const std::vector<PolygonTag> &parts)
        : file(file), filename(filename), parts(parts) {}

    // `formEnd`: where the bytes after the FORM begin.
    std::vector<std::uint8_t> edit(IffCursor chunks, std::size_t formEnd);

  private:
    void number(const Layout &layout);
    void copy(const IffPiece &piece) {
        out.bytes(file.subspan(piece.begin, piece.end - piece.begin));
    }
    void writeNewNames();
    void extendTags(const IffPiece &tags);
    void writePartTags(const PolygonRun &run);

    std::span<const std::uint8_t> file;
    const std::string &filename;
    const std::vector<PolygonTag> &parts;
    std::map<std::string, std::uint16_t> tagOf;
    std::vector<std::string> newNames;
    IffWriter out;
};

// Names keep the first tag that holds them; the others are numbered after the file's tags.
void PartEditor::number(const Layout &layout) {
    for (std::size_t tag = 0; tag < layout.tags.size() && tag < kMostTags; ++tag)
        tagOf.try_emplace(layout.tags[tag], std::uint16_t(tag));
    for (const PolygonTag &part : parts) {
        if (!part || tagOf.count(*part)) continue;
        std::size_t tag = layout.tags.size() + newNames.size();
        if (tag >= kMostTags)
            throw FormatError(filename + ": " + std::to_string(tag + 1) +
                              " tags with the polygon sets, more than the 65536 a polygon tag "
                              "can name");
        tagOf.emplace(*part, std::uint16_t(tag));
        newNames.push_back(*part);
    }
}

void PartEditor::writeNewNames() {
    for (const std::string &name : newNames) out.s0(name);
}

// A tag list of odd size lacks the pad byte of its last name, which the names added then need.
void PartEditor::extendTags(const IffPiece &tags) {
    out.beginChunk(kTagsId);
    IffCursor body = tags.body;
    out.bytes(body.take(body.remaining()));
    if (tags.header.size % 2 == 1) out.u1(0);
    writeNewNames();
    out.end();
}

void PartEditor::writePartTags(const PolygonRun &run) {
    bool any = false;
    for (std::size_t polygon = run.first; polygon < run.first + run.count; ++polygon) {
        const PolygonTag &part = parts[polygon];
        if (!part) continue;
        if (!any) {
            out.beginChunk(kPtagId);
            out.id4(kPartId);
            any = true;
        }
        out.vx(std::uint32_t(polygon - run.first));
        out.u2(tagOf.at(*part));
    }
    if (any) out.end();
}

std::vector<std::uint8_t> PartEditor::edit(IffCursor chunks, std::size_t formEnd) {
    Layout layout = Survey(chunks);
    if (layout.polygons != parts.size())
        throw FormatError(filename + ": " + std::to_string(layout.polygons) +
                          " polygons, but sets for " + std::to_string(parts.size()) +
                          " were given");
    number(layout);
    if (!newNames.empty() && layout.tagsAfterPolygons)
        throw FormatError(filename + ": chunk TAGS at byte " +
                          std::to_string(layout.chunks[*layout.lastTags].begin) +
                          " follows polygons; names added before it would renumber its tags, so "
                          "the polygon sets are not written");
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    for (std::size_t index = 0; index < layout.chunks.size(); ++index) {
        const IffPiece &chunk = layout.chunks[index];
        if (!layout.lastTags && !newNames.empty() && index == layout.firstPolygons) {
            out.beginChunk(kTagsId);
            writeNewNames();
            out.end();
        }
        if (index == layout.lastTags && !newNames.empty())
            extendTags(chunk);
        else if (!IsPartTags(chunk))
            copy(chunk);
        if (auto run = layout.partsAfter.find(index); run != layout.partsAfter.end())
            writePartTags(run->second);
    }
    out.end();
    out.bytes(file.subspan(formEnd));
    return out.take();
}

}  // namespace

std::vector<std::uint8_t> EditPartTags(std::span<const std::uint8_t> file,
                                       const std::string &filename,
                                       const std::vector<PolygonTag> &parts) {
    IffCursor whole(file, 0, filename);
    IffCursor chunks = EnterLwo2Form(whole).chunks;
    return PartEditor(file, filename, parts).edit(chunks, whole.offset());
}

std::vector<PolygonTag> PartsOf(const MeshData &mesh) {
    std::vector<PolygonTag> parts;
    parts.reserve(mesh.polygons.size());
    for (const MeshPolygon &polygon : mesh.polygons) parts.push_back(polygon.part);
    return parts;
}
