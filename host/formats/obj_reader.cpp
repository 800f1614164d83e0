#include "host/formats/obj_reader.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <sstream>

#include "host/formats/file_bytes.h"
#include "host/formats/format_error.h"
#include "host/formats/tag_text_budget.h"

namespace {

// What the statements so far have set, and the polygons they made. tinyobjloader's callbacks
// fill it one line at a time, so that a problem is known with its line.
struct ObjReading {
    explicit ObjReading(std::size_t textSize) : tagText(textSize) {}
    ObjectFile object;
    TagTextBudget tagText;
    std::vector<MeshPolygon> faces, segments;
    std::optional<std::string> part;
    std::string surface = kObjDefaultSurface;
    bool lineStatement = false;  // the line being parsed is an `l`, handed over as an `f`
    std::string problem;         // set by a callback; the line fails once it returns
};

std::string Trimmed(std::string_view text) {
    const char *space = " \t\r\n";
    std::size_t first = text.find_first_not_of(space);
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(space) - first + 1));
}

std::optional<std::string> PartName(std::string name) {
    if (name.empty()) return std::nullopt;
    return name;
}

void OnVertex(void *data, tinyobj::real_t x, tinyobj::real_t y, tinyobj::real_t z,
              tinyobj::real_t) {
    static_cast<ObjReading *>(data)->object.mesh.points.push_back({x, y, z});
}

bool ResolveIndex(ObjReading &reading, int index, int &point) {
    auto count = static_cast<long long>(reading.object.mesh.points.size());
    long long resolved = index > 0 ? index - 1LL : count + index;
    if (index == 0 || resolved < 0 || resolved >= count) {
        reading.problem = "point index " + std::to_string(index) + " out of range (" +
                          std::to_string(count) + " points)";
        return false;
    }
    point = int(resolved);
    return true;
}

// A polygon with the current surface and part, or false once their copies would exceed the
// tag text budget.
bool NewPolygon(ObjReading &reading, MeshPolygon &polygon) {
    if (!reading.tagText.take(reading.surface) ||
        !reading.tagText.take(reading.part.value_or(""))) {
        reading.problem = TagTextBudget::problem();
        return false;
    }
    polygon.surface = reading.surface;
    polygon.part = reading.part;
    return true;
}

void OnIndices(void *data, tinyobj::index_t *indices, int count) {
    ObjReading &reading = *static_cast<ObjReading *>(data);
    MeshPolygon polygon;
    for (int i = 0; i < count; ++i) {
        int point;
        if (!ResolveIndex(reading, indices[i].vertex_index, point)) return;
        polygon.points.push_back(point);
    }
    if (!reading.lineStatement) {
        if (NewPolygon(reading, polygon)) reading.faces.push_back(std::move(polygon));
        return;
    }
    if (polygon.points.size() < 2) {
        reading.problem = "a line needs at least two points";
        return;
    }
    for (std::size_t i = 0; i + 1 < polygon.points.size(); ++i) {
        MeshPolygon segment;
        if (!NewPolygon(reading, segment)) return;
        segment.points = {polygon.points[i], polygon.points[i + 1]};
        reading.segments.push_back(std::move(segment));
    }
}

void OnMaterial(void *data, const char *name, int) {
    ObjReading &reading = *static_cast<ObjReading *>(data);
    reading.surface = Trimmed(name);
    if (reading.surface.empty()) reading.surface = kObjDefaultSurface;
}

void OnGroup(void *data, const char **names, int count) {
    std::string joined;
    for (int i = 0; i < count; ++i) joined.append(i ? " " : "").append(names[i]);
    static_cast<ObjReading *>(data)->part = PartName(joined);
}

void OnObject(void *data, const char *name) {
    static_cast<ObjReading *>(data)->part = PartName(Trimmed(name));
}

tinyobj::callback_t Callbacks() {
    tinyobj::callback_t callbacks;
    callbacks.vertex_cb = OnVertex;
    callbacks.index_cb = OnIndices;
    callbacks.usemtl_cb = OnMaterial;
    callbacks.group_cb = OnGroup;
    callbacks.object_cb = OnObject;
    return callbacks;
}

// tinyobjloader's callbacks report faces but not lines; a line statement is therefore handed
// over as a face, with `lineStatement` telling the callback what it is.
bool IsLineStatement(std::string &line) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || start + 1 >= line.size() || line[start] != 'l' ||
        (line[start + 1] != ' ' && line[start + 1] != '\t'))
        return false;
    line[start] = 'f';
    return true;
}

// The next line of `text` from `position`, ended as tinyobjloader ends lines: by "\n", "\r" or
// "\r\n".
std::string_view NextLine(std::string_view text, std::size_t &position) {
    std::size_t end = std::min(text.find_first_of("\r\n", position), text.size());
    std::string_view line = text.substr(position, end - position);
    position = end;
    if (position < text.size()) {
        bool carriageReturn = text[position] == '\r';
        ++position;
        if (carriageReturn && position < text.size() && text[position] == '\n') ++position;
    }
    return line;
}

// tinyobjloader takes a `g` or `o` only when a blank follows it; a bare one still ends the
// group, as in other OBJ readers, so it is handed over with a blank.
void CompleteBareGroup(std::string &line) {
    std::string statement = Trimmed(line);
    if (statement == "g" || statement == "o") line = statement + " ";
}

bool IsCoordinateStatement(std::string_view line) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return false;
    std::string_view keyword = line.substr(start, line.find_first_of(" \t", start) - start);
    return keyword == "v" || keyword == "vn" || keyword == "vt";
}

// tinyobjloader's number parser overflows an int on an exponent of ten or more digits. No float
// coordinate needs one, so such a statement is refused before it reaches the parser.
bool HasOverlongExponent(std::string_view line) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != 'e' && line[i] != 'E') continue;
        std::size_t j = i + 1;
        if (j < line.size() && (line[j] == '+' || line[j] == '-')) ++j;
        while (j < line.size() && line[j] == '0') ++j;
        std::size_t digits = 0;
        for (; j < line.size() && isDigit(line[j]); ++j) ++digits;
        if (digits > 9) return true;
    }
    return false;
}

void ParseLine(std::string line, ObjReading &reading, const tinyobj::callback_t &callbacks) {
    if (IsCoordinateStatement(line) && HasOverlongExponent(line)) {
        reading.problem = "a number's exponent has more than nine digits";
        return;
    }
    reading.lineStatement = IsLineStatement(line);
    CompleteBareGroup(line);
    std::istringstream stream(line);
    tinyobj::LoadObjWithCallback(stream, callbacks, &reading, nullptr, nullptr, nullptr);
}

std::vector<std::string> SurfacesInUse(const std::vector<MeshPolygon> &polygons) {
    std::vector<std::string> surfaces;
    for (const MeshPolygon &polygon : polygons)
        if (std::find(surfaces.begin(), surfaces.end(), *polygon.surface) == surfaces.end())
            surfaces.push_back(*polygon.surface);
    return surfaces;
}

}  // namespace

ObjectFile ParseObj(std::string_view text, const std::string &filename) {
    ObjReading reading(text.size());
    reading.object.filename = filename;
    const tinyobj::callback_t callbacks = Callbacks();
    std::size_t position = 0;
    for (std::size_t number = 1; position < text.size(); ++number) {
        std::size_t start = position;
        ParseLine(std::string(NextLine(text, position)), reading, callbacks);
        if (!reading.problem.empty())
            throw FormatError(filename + ": line " + std::to_string(number) + " at byte " +
                              std::to_string(start) + ": " + reading.problem);
    }
    auto &polygons = reading.object.mesh.polygons;
    polygons = std::move(reading.faces);
    polygons.insert(polygons.end(), std::make_move_iterator(reading.segments.begin()),
                    std::make_move_iterator(reading.segments.end()));
    reading.object.surfaces = SurfacesInUse(polygons);
    for (const std::string &surface : reading.object.surfaces)
        reading.object.smoothing[surface] = kDefaultSmoothingRadians;
    return std::move(reading.object);
}

ObjectFile ReadObj(const std::string &path) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return ParseObj(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()),
                    path);
}
