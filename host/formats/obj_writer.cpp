#include "host/formats/obj_writer.h"

#include <stdexcept>
#include <vector>

#include "host/formats/distinct_normals.h"
#include "host/formats/obj_reader.h"
#include "host/formats/obj_words.h"
#include "host/formats/text_lines.h"

namespace {

// Numbers the normals of a polygon's corners, in `frame` and its corner order, writing a `vn`
// line for each new one.
class NormalNumbers {
  public:
    NormalNumbers(std::size_t corners, MeshFrame frame) : distinct(corners), frame(frame) {}

    const std::vector<std::uint32_t> &of(TextLines &line, const CornerNormal *corners,
                                         std::size_t count) {
        numbers.clear();
        auto known = static_cast<std::uint32_t>(distinct.size());
        for (std::size_t c = 0; c < count; ++c)
            numbers.push_back(
                distinct.numberOf(InFrame(frame, corners[CornerInFrame(frame, c, count)])));
        for (std::uint32_t n = known; n < distinct.size(); ++n) {
            line.text("vn");
            for (float component : distinct[n]) line.text(" ").number(component);
            line.endLine();
        }
        return numbers;
    }

  private:
    DistinctNormals distinct;
    MeshFrame frame;
    std::vector<std::uint32_t> numbers;  // 0-based
};

// Walks a mesh's polygons in order together with their corners' normals, when there are any.
class PolygonCursor {
  public:
    PolygonCursor(const MeshData &mesh, const NextCornerBlock &next) : mesh(mesh), next(next) {}

    // The normals of polygon `p`'s corners, or null without normals. Polygons are asked for in
    // order.
    const CornerNormal *normalsOf(std::size_t p) {
        if (!next) return nullptr;
        while (!block || p >= block->endPolygon) {
            block = next();
            if (!block) throw std::logic_error("the normals end before the polygons");
            polygon = block->firstPolygon;
            corner = 0;
        }
        for (; polygon < p; ++polygon) corner += mesh.polygons[polygon].points.size();
        return block->normals.data() + corner;
    }

  private:
    const MeshData &mesh;
    const NextCornerBlock &next;
    const CornerBlock *block = nullptr;
    std::size_t polygon = 0, corner = 0;  // `corner`: where `polygon` starts in the block
};

struct ObjTags {
    PolygonTag part;
    std::string surface = kObjDefaultSurface;
};

void WriteTagChanges(TextLines &line, ObjTags &current, const MeshPolygon &polygon) {
    if (polygon.part != current.part) {
        current.part = polygon.part;
        line.text("g");
        if (current.part) line.text(" ").text(*current.part);
        line.endLine();
    }
    std::string_view surface =
        polygon.surface ? std::string_view(*polygon.surface) : std::string_view(kObjDefaultSurface);
    if (surface != current.surface) {
        current.surface = surface;
        line.text("usemtl ").text(surface).endLine();
    }
}

// `normals` are the corners' in `frame`'s corner order.
void WritePolygon(TextLines &line, const MeshPolygon &polygon, const std::uint32_t *normals,
                  MeshFrame frame) {
    std::size_t n = polygon.points.size();
    line.text(n >= 3 ? "f" : n == 2 ? "l" : "p");
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t c = CornerInFrame(frame, i, n);
        line.text(" ").integer(polygon.points[c] + 1);
        if (!polygon.textureCorners.empty()) line.text("/").integer(polygon.textureCorners[c] + 1);
        if (normals) line.text(polygon.textureCorners.empty() ? "//" : "/").integer(normals[i] + 1);
    }
    line.endLine();
}

void WriteMesh(TextLines &line, const ObjectFile &object, const NextCornerBlock &normals,
               MeshFrame frame) {
    const MeshData &mesh = object.mesh;
    if (!object.filename.empty()) line.text("# ").text(ObjectName(object)).endLine();
    for (const auto &point : mesh.points) {
        geometry::Vec3 framed = InFrame(frame, {point[0], point[1], point[2]});
        line.text("v");
        for (double coordinate : {framed.x, framed.y, framed.z})
            line.text(" ").number(static_cast<float>(coordinate));
        line.endLine();
    }
    for (const auto &coordinate : mesh.textureCoordinates)
        line.text("vt ").number(coordinate[0]).text(" ").number(coordinate[1]).endLine();
    ObjTags current;
    PolygonCursor cursor(mesh, normals);
    NormalNumbers numbers(normals ? CornerCount(mesh) : 0, frame);
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        std::size_t n = polygon.points.size();
        if (n == 0) continue;
        const CornerNormal *corners = cursor.normalsOf(p);
        const std::uint32_t *faceNormals =
            corners && n >= 3 ? numbers.of(line, corners, n).data() : nullptr;
        WriteTagChanges(line, current, polygon);
        WritePolygon(line, polygon, faceNormals, frame);
    }
}

// A face's corner `v`, `v/t`, `v//n` or `v/t/n` with the normal `number` (0-based) in place of
// its own, or without one when `number` is null.
void WriteCorner(TextLines &line, std::string_view word, const std::uint32_t *number) {
    std::size_t slash = word.find('/');
    std::string_view point = word.substr(0, slash);
    std::string_view texture;
    if (slash != std::string_view::npos) {
        texture = word.substr(slash + 1);
        texture = texture.substr(0, texture.find('/'));
    }
    line.text(point);
    if (number)
        line.text("/").text(texture).text("/").integer(*number + 1);
    else if (!texture.empty())
        line.text("/").text(texture);
}

// Copies an OBJ file's statements, rewriting faces and replacing `vn` lines, in step with the
// polygons read from them: faces and points in file order, each `p` point a polygon of its own;
// the lines' polygons, which come last, are not met.
class ObjRewriter {
  public:
    ObjRewriter(std::FILE *out, const MeshData &mesh, const NextCornerBlock &normals)
        : line(out),
          mesh(mesh),
          cursor(mesh, normals),
          numbers(CornerCount(mesh), MeshFrame::leftHanded) {}

    void statement(std::string_view text, std::string_view ending) {
        ObjWords words(text);
        std::string_view keyword = words.next();
        if (keyword == "vn") return;
        if (keyword == "f")
            face(text, words);
        else {
            if (keyword == "p") points(words);
            line.text(text);
        }
        line.text(ending);
    }
    void finish() { line.flush(); }

  private:
    void face(std::string_view text, ObjWords &words) {
        if (polygon >= mesh.polygons.size())
            throw std::logic_error("the source holds more faces than the mesh");
        std::size_t n = mesh.polygons[polygon].points.size();
        const CornerNormal *corners = cursor.normalsOf(polygon++);
        const std::uint32_t *faceNormals = n >= 3 ? numbers.of(line, corners, n).data() : nullptr;
        std::size_t copied = 0;
        for (std::string_view word = words.next(); !word.empty(); word = words.next()) {
            std::size_t start = std::size_t(word.data() - text.data());
            line.text(text.substr(copied, start - copied));
            WriteCorner(line, word, faceNormals ? faceNormals++ : nullptr);
            copied = start + word.size();
        }
        line.text(text.substr(copied));
    }
    void points(ObjWords &words) {
        for (std::string_view word = words.next(); !word.empty(); word = words.next()) ++polygon;
    }

    TextLines line;
    const MeshData &mesh;
    PolygonCursor cursor;
    NormalNumbers numbers;
    std::size_t polygon = 0;  // the next face's or point's
};

}  // namespace

void WriteObj(std::FILE *out, const ObjectFile &object, const NextCornerBlock &normals,
              MeshFrame frame) {
    TextLines line(out);
    WriteMesh(line, object, normals, frame);
    line.flush();
}

std::string ObjText(const ObjectFile &object) {
    TextLines line(nullptr);
    WriteMesh(line, object, {}, MeshFrame::leftHanded);
    return std::move(line.text());
}

void WriteObjWithNormals(std::FILE *out, std::string_view source, const MeshData &mesh,
                         const NextCornerBlock &normals) {
    ObjRewriter rewriter(out, mesh, normals);
    while (!source.empty()) {
        std::size_t end = source.find('\n');
        std::string_view text = source.substr(0, end);
        std::string_view ending = end == std::string_view::npos ? "" : "\n";
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
            ending = end == std::string_view::npos ? "\r" : "\r\n";
        }
        rewriter.statement(text, ending);
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
    }
    rewriter.finish();
}
