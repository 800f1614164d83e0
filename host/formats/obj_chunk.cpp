#include "host/formats/obj_chunk.h"

#include <algorithm>
#include <limits>

#include "host/formats/obj_words.h"
#include "host/scene/quoted_list.h"

std::string_view NextLine(std::string_view text, std::size_t &position) {
    std::size_t start = position, end = position;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    position = end;
    if (position < text.size()) {
        bool carriageReturn = text[position] == '\r';
        ++position;
        if (carriageReturn && position < text.size() && text[position] == '\n') ++position;
    }
    return text.substr(start, end - start);
}

namespace {

// `g` with several names joins them with single spaces; without one it ends the group.
ObjName GroupName(ObjWords &words) {
    std::string joined;
    for (std::string_view name = words.next(); !name.empty(); name = words.next())
        joined.append(joined.empty() ? "" : " ").append(name);
    if (joined.empty()) return nullptr;
    return std::make_shared<const std::string>(std::move(joined));
}

// `o` and `usemtl` take the rest of the line as the name.
ObjName LineName(ObjWords &words) {
    std::string_view name = words.rest();
    if (name.empty()) return nullptr;
    return std::make_shared<const std::string>(name);
}

// `s off` and `s 0` end smoothing; a statement naming several groups keeps the lowest.
std::uint32_t SmoothingGroup(ObjWords &words) {
    std::uint32_t lowest = 0;
    std::string_view word = words.next();
    if (word.empty()) throw ObjLineError(0, "a smoothing statement needs a group number or off");
    for (; !word.empty(); word = words.next()) {
        if (word == "off") continue;
        std::int64_t group = 0;
        if (ReadInteger(word, group) != std::errc() || group < 0 ||
            group > std::numeric_limits<std::uint32_t>::max())
            throw ObjLineError(words.column(word),
                               "smoothing group " + QuotedName(word) +
                                   " is neither off nor a number from 0 to 4294967295");
        if (group != 0 && (lowest == 0 || group < lowest)) lowest = std::uint32_t(group);
    }
    return lowest;
}

// The statements the summary needs to tell apart.
enum class Statement {
    other,
    point,
    textureCoordinate,
    normal,
    face,
    group,
    object,
    material,
    smoothing
};

Statement Classify(std::string_view keyword) {
    if (keyword == "v") return Statement::point;
    if (keyword == "vt") return Statement::textureCoordinate;
    if (keyword == "vn") return Statement::normal;
    if (keyword == "f") return Statement::face;
    if (keyword == "g") return Statement::group;
    if (keyword == "o") return Statement::object;
    if (keyword == "usemtl") return Statement::material;
    if (keyword == "s") return Statement::smoothing;
    return Statement::other;
}

// Takes a `g`, `o`, `usemtl` or `s` statement into `tags`, the running tags of a chunk or the
// tags a chunk leaves changed; false for any other statement.
template <class Tags>
bool ReadTagStatement(Statement statement, ObjWords &words, Tags &tags) {
    switch (statement) {
        case Statement::group:
            tags.part = GroupName(words);
            return true;
        case Statement::object:
            tags.part = LineName(words);
            return true;
        case Statement::material:
            tags.surface = LineName(words);
            return true;
        case Statement::smoothing:
            tags.smoothingGroup = SmoothingGroup(words);
            return true;
        default:
            return false;
    }
}

void Summarize(std::string_view line, ObjChunkSummary &summary) {
    ObjWords words(line);
    Statement statement = Classify(words.next());
    if (ReadTagStatement(statement, words, summary)) return;
    switch (statement) {
        case Statement::point:
            ++summary.points;
            break;
        case Statement::textureCoordinate:
            ++summary.textureCoordinates;
            break;
        case Statement::normal:
            ++summary.normals;
            break;
        case Statement::face:
            ++summary.faces;
            break;
        default:
            break;
    }
}

// One corner of a face, line or point statement, resolved to 0-based indices.
struct Corner {
    int point = 0;
    std::optional<int> textureCoordinate;
    std::optional<int> normal;
};

// Resolves an OBJ index (1-based, or negative to count back from the latest definition) against
// the `count` definitions before the line.
int ResolveIndex(const ObjWords &words, std::string_view text, std::size_t count, const char *what,
                 const char *counted) {
    std::int64_t index = 0;
    std::errc read = ReadInteger(text, index);
    if (read == std::errc::invalid_argument)
        throw ObjLineError(words.column(text),
                           std::string(what) + " index " + QuotedName(text) + " is not a number");
    auto signedCount = static_cast<std::int64_t>(count);
    std::int64_t resolved = index > 0 ? index - 1 : signedCount + index;
    if (read != std::errc() || index == 0 || resolved < 0 || resolved >= signedCount)
        throw ObjLineError(words.column(text), std::string(what) + " index " + QuotedName(text) +
                                                   " out of range (" + std::to_string(count) + " " +
                                                   counted + ")");
    return int(resolved);
}

class ChunkReader {
  public:
    ChunkReader(const ObjChunkStart &start, const ObjChunkOutput &output, TagTextBudget &budget)
        : start(start), tags(start.tags), output(output), budget(budget) {}

    void read(std::string_view line) {
        ObjWords words(line);
        std::string_view keyword = words.next();
        Statement statement = Classify(keyword);
        if (ReadTagStatement(statement, words, tags)) return;
        switch (statement) {
            case Statement::point:
                output.points[pointCount++] = Values<3>(words, "a point", "coordinate");
                return;
            case Statement::textureCoordinate:
                output.textureCoordinates[textureCount++] =
                    Values<2>(words, "a texture coordinate", "component");
                return;
            case Statement::normal:
                output.normals[normalCount++] = Values<3>(words, "a normal", "component");
                return;
            case Statement::face:
                readFace(words);
                return;
            default:
                break;
        }
        if (keyword == "l") readLine(words);
        if (keyword == "p") readPoints(words);
    }

    ObjChunk result;

  private:
    // The first N values of a `v`, `vt` or `vn` statement; a `vt` may leave out all but the
    // first. Values after them (a weight, a colour) must be numbers too but are not kept.
    template <std::size_t N>
    static std::array<float, N> Values(ObjWords &words, const char *statement, const char *value) {
        std::array<float, N> values{};
        std::size_t needed = N == 2 ? 1 : N, count = 0;
        for (std::string_view word = words.next(); !word.empty(); word = words.next(), ++count) {
            float number = ReadFloat(words, word, value);
            if (count < N) values[count] = number;
        }
        if (count < needed)
            throw ObjLineError(0, std::string(statement) + " needs " + std::to_string(needed) +
                                      " " + value + (needed > 1 ? "s" : "") + ", not " +
                                      std::to_string(count));
        return values;
    }

    // A corner is `v`, `v/vt`, `v//vn` or `v/vt/vn`.
    Corner readCorner(const ObjWords &words, std::string_view word) {
        std::array<std::string_view, 3> indices;
        std::size_t count = 0;
        for (std::size_t from = 0; from <= word.size(); ++count) {
            if (count == indices.size())
                throw ObjLineError(words.column(word),
                                   "corner " + QuotedName(word) + " has more than three indices");
            std::size_t slash = std::min(word.find('/', from), word.size());
            indices[count] = word.substr(from, slash - from);
            from = slash + 1;
        }
        if (indices[0].empty())
            throw ObjLineError(words.column(word),
                               "corner " + QuotedName(word) + " has no point index");
        Corner corner;
        corner.point =
            ResolveIndex(words, indices[0], start.points + pointCount, "point", "points");
        if (!indices[1].empty())
            corner.textureCoordinate =
                ResolveIndex(words, indices[1], start.textureCoordinates + textureCount, "texture",
                             "texture coordinates");
        if (!indices[2].empty())
            corner.normal =
                ResolveIndex(words, indices[2], start.normals + normalCount, "normal", "normals");
        return corner;
    }

    // The corners of the statement into `cornerPoints`, `cornerTextures` and `cornerNormals`; the
    // texture indices are kept only when every corner has one, and a statement may not mix the
    // two; the normal indices are kept only when every corner has one.
    void readCorners(ObjWords &words) {
        cornerPoints.clear();
        cornerTextures.clear();
        cornerNormals.clear();
        bool textured = false, everyNormal = true;
        for (std::string_view word = words.next(); !word.empty(); word = words.next()) {
            Corner corner = readCorner(words, word);
            if (cornerPoints.empty()) textured = corner.textureCoordinate.has_value();
            if (corner.textureCoordinate.has_value() != textured)
                throw ObjLineError(words.column(word),
                                   "corner " + QuotedName(word) +
                                       (textured ? " has no texture index, unlike the first"
                                                 : " has a texture index, unlike the first"));
            cornerPoints.push_back(corner.point);
            if (textured) cornerTextures.push_back(*corner.textureCoordinate);
            everyNormal = everyNormal && corner.normal.has_value();
            if (everyNormal) cornerNormals.push_back(*corner.normal);
        }
        if (!everyNormal) cornerNormals.clear();
    }

    MeshPolygon newPolygon() {
        PolygonTag surface = tags.surface ? PolygonTag(tags.surface) : defaultSurface;
        if (!budget.take(*surface) || (tags.part && !budget.take(*tags.part)))
            throw ObjLineError(0, TagTextBudget::problem());
        MeshPolygon polygon;
        polygon.surface = surface;
        if (tags.part) polygon.part = PolygonTag(tags.part);
        polygon.smoothingGroup = tags.smoothingGroup;
        return polygon;
    }

    void readFace(ObjWords &words) {
        readCorners(words);
        if (cornerPoints.empty()) throw ObjLineError(0, "a face needs at least one point");
        MeshPolygon face = newPolygon();
        face.points.assign(cornerPoints.begin(), cornerPoints.end());
        face.textureCorners.assign(cornerTextures.begin(), cornerTextures.end());
        face.normalCorners.assign(cornerNormals.begin(), cornerNormals.end());
        result.faces.push_back(std::move(face));
    }

    void readLine(ObjWords &words) {
        readCorners(words);
        if (cornerPoints.size() < 2) throw ObjLineError(0, "a line needs at least two points");
        for (std::size_t i = 0; i + 1 < cornerPoints.size(); ++i) {
            MeshPolygon segment = newPolygon();
            segment.points = {cornerPoints[i], cornerPoints[i + 1]};
            if (!cornerTextures.empty())
                segment.textureCorners = {cornerTextures[i], cornerTextures[i + 1]};
            result.segments.push_back(std::move(segment));
        }
    }

    // Each point of a `p` statement is a one-point polygon, among the faces as the writer puts it.
    void readPoints(ObjWords &words) {
        readCorners(words);
        if (cornerPoints.empty()) throw ObjLineError(0, "a point statement needs a point");
        for (std::size_t i = 0; i < cornerPoints.size(); ++i) {
            MeshPolygon point = newPolygon();
            point.points = {cornerPoints[i]};
            if (!cornerTextures.empty()) point.textureCorners = {cornerTextures[i]};
            result.faces.push_back(std::move(point));
        }
    }

    const ObjChunkStart &start;
    ObjTags tags;
    const PolygonTag defaultSurface = PolygonTag(std::string(kObjDefaultSurface));
    const ObjChunkOutput &output;
    TagTextBudget &budget;
    std::size_t pointCount = 0, textureCount = 0, normalCount = 0;
    // Kept between statements to reuse their room.
    std::vector<int> cornerPoints, cornerTextures, cornerNormals;
};

}  // namespace

ObjChunkSummary SummarizeObjChunk(std::string_view chunk) {
    ObjChunkSummary summary;
    for (std::size_t position = 0; position < chunk.size(); ++summary.lines) {
        try {
            Summarize(NextLine(chunk, position), summary);
        } catch (const ObjLineError &) {
            // The second pass reports it where it is.
        }
    }
    return summary;
}

ObjChunkStart ObjChunkStart::after(std::string_view chunk, const ObjChunkSummary &summary) const {
    ObjChunkStart next = *this;
    next.byte += chunk.size();
    next.line += summary.lines;
    next.points += summary.points;
    next.textureCoordinates += summary.textureCoordinates;
    next.normals += summary.normals;
    if (summary.part) next.tags.part = *summary.part;
    if (summary.surface) next.tags.surface = *summary.surface;
    if (summary.smoothingGroup) next.tags.smoothingGroup = *summary.smoothingGroup;
    return next;
}

ObjChunk ReadObjChunk(std::string_view chunk, const ObjChunkStart &start,
                      const ObjChunkSummary &summary, const ObjChunkOutput &output,
                      TagTextBudget &budget) {
    ChunkReader reader(start, output, budget);
    reader.result.faces.reserve(summary.faces);
    std::size_t line = start.line;
    for (std::size_t position = 0; position < chunk.size(); ++line) {
        std::size_t lineStart = position;
        try {
            reader.read(NextLine(chunk, position));
        } catch (const ObjLineError &error) {
            reader.result.problem =
                ObjProblem{line, start.byte + lineStart, error.column, error.what()};
            break;
        }
    }
    return std::move(reader.result);
}
