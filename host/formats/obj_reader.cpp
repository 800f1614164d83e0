#include "host/formats/obj_reader.h"

#include <algorithm>
#include <climits>
#include <unordered_set>

#include "host/for_each_on_threads.h"
#include "host/formats/format_error.h"
#include "host/formats/obj_chunk.h"

namespace {

// An LWO2 object or any other binary file given as OBJ would otherwise read as an object of
// unknown statements, that is an empty one.
void RefuseNonText(std::string_view text, const std::string &filename) {
    if (text.starts_with("FORM"))
        throw FormatError(filename + ": not an OBJ file: it starts with the IFF header \"FORM\"");
    if (std::size_t nul = text.find('\0'); nul != std::string_view::npos)
        throw FormatError(filename + ": not an OBJ file: byte " + std::to_string(nul) +
                          " is a NUL byte");
}

// The number of bytes of a UTF-8 byte order mark at the start of `text`, which some editors
// write; the first statement would otherwise be an unknown one.
std::size_t ByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
}

// The position just past the end of the line that holds `position`.
std::size_t PastLineEnd(std::string_view text, std::size_t position) {
    NextLine(text, position);
    return position;
}

std::vector<std::string_view> LineAlignedChunks(std::string_view text, std::size_t size) {
    std::vector<std::string_view> chunks;
    size = std::max<std::size_t>(size, 1);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end =
            text.size() - start <= size ? text.size() : PastLineEnd(text, start + size);
        chunks.push_back(text.substr(start, end - start));
        start = end;
    }
    return chunks;
}

std::string Describe(const std::string &filename, const ObjProblem &problem) {
    std::string place = filename + ": line " + std::to_string(problem.line) + " at byte " +
                        std::to_string(problem.byte);
    if (problem.column != 0) place += ", column " + std::to_string(problem.column);
    return place + ": " + problem.text;
}

// Polygon indices are ints in the scene model.
void RefuseTooMany(const ObjChunkStart &end, const std::string &filename) {
    if (end.points > INT_MAX || end.textureCoordinates > INT_MAX || end.normals > INT_MAX)
        throw FormatError(filename + ": more than " + std::to_string(INT_MAX) +
                          " points, texture coordinates or normals");
}

std::vector<std::string> SurfacesInUse(const std::vector<MeshPolygon> &polygons) {
    std::vector<std::string> surfaces;
    std::unordered_set<std::string_view> seen;
    for (const MeshPolygon &polygon : polygons)
        if (seen.insert(*polygon.surface).second) surfaces.push_back(*polygon.surface);
    return surfaces;
}

}  // namespace

ObjectFile ParseObj(std::string_view text, const std::string &filename, const ObjReadWork &work) {
    RefuseNonText(text, filename);
    std::size_t skipped = ByteOrderMark(text);
    std::vector<std::string_view> chunks = LineAlignedChunks(text.substr(skipped), work.chunkBytes);
    unsigned threads = work.threads ? work.threads : Cores();

    std::vector<ObjChunkSummary> summaries(chunks.size());
    ForEachOnThreads(chunks.size(), threads,
                     [&](std::size_t i) { summaries[i] = SummarizeObjChunk(chunks[i]); });
    std::vector<ObjChunkStart> starts(chunks.size() + 1);
    starts[0].byte = skipped;
    for (std::size_t i = 0; i < chunks.size(); ++i)
        starts[i + 1] = starts[i].after(chunks[i], summaries[i]);
    RefuseTooMany(starts.back(), filename);

    ObjectFile object;
    object.filename = filename;
    MeshData &mesh = object.mesh;
    mesh.points.resize(starts.back().points);
    mesh.textureCoordinates.resize(starts.back().textureCoordinates);
    mesh.normals.resize(starts.back().normals);
    auto readChunk = [&](std::size_t i, TagTextBudget &budget) {
        ObjChunkOutput output{
            std::span(mesh.points).subspan(starts[i].points, summaries[i].points),
            std::span(mesh.textureCoordinates)
                .subspan(starts[i].textureCoordinates, summaries[i].textureCoordinates),
            std::span(mesh.normals).subspan(starts[i].normals, summaries[i].normals)};
        return ReadObjChunk(chunks[i], starts[i], summaries[i], output, budget);
    };

    // Each chunk may spend the whole budget; the merge below charges them in file order.
    const TagTextBudget whole(text.size());
    std::vector<ObjChunk> read(chunks.size());
    std::vector<std::size_t> tagText(chunks.size());
    ForEachOnThreads(chunks.size(), threads, [&](std::size_t i) {
        TagTextBudget budget = whole;
        read[i] = readChunk(i, budget);
        tagText[i] = whole.remaining() - budget.remaining();
    });

    TagTextBudget budget = whole;
    std::size_t faces = 0, segments = 0;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        if (!budget.take(tagText[i])) {
            // Read again with what the chunks before left, to fail at the first line over.
            TagTextBudget left = budget;
            read[i] = readChunk(i, left);
        }
        if (read[i].problem) throw FormatError(Describe(filename, *read[i].problem));
        faces += read[i].faces.size();
        segments += read[i].segments.size();
    }
    // Each chunk's polygons are let go as soon as they have moved, so that the file's polygons
    // are held about once, not twice, while they gather.
    mesh.polygons.reserve(faces + segments);
    auto gather = [&](std::vector<MeshPolygon> &polygons) {
        std::move(polygons.begin(), polygons.end(), std::back_inserter(mesh.polygons));
        std::vector<MeshPolygon>().swap(polygons);
    };
    for (ObjChunk &chunk : read) gather(chunk.faces);
    for (ObjChunk &chunk : read) gather(chunk.segments);
    object.surfaces = SurfacesInUse(mesh.polygons);
    for (const std::string &surface : object.surfaces)
        object.smoothing[surface] = kDefaultSmoothingRadians;
    return object;
}
