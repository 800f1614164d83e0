#include "tools/velmora/normals_output.h"

#include <cerrno>
#include <charconv>
#include <string>
#include <system_error>

#include "tools/velmora/distinct_normals.h"

namespace {

// Formatting through to_chars into one growing buffer keeps a million-polygon export fast. The
// writer flushes the last lines itself: a failure then reaches it as an exception, which a
// destructor could not let out.
class LineBuffer {
  public:
    explicit LineBuffer(std::FILE *out) : out(out) {}

    LineBuffer &text(const char *s) {
        buffer += s;
        return *this;
    }
    LineBuffer &integer(long long value) {
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        buffer.append(digits, end);
        return *this;
    }
    LineBuffer &number(double value, int precision) {
        char digits[40];
        auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general,
                                 precision)
                       .ptr;
        buffer.append(digits, end);
        return *this;
    }
    // The shortest text that reads back to the same float.
    LineBuffer &number(float value) {
        char digits[24];
        auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        buffer.append(digits, end);
        return *this;
    }
    void endLine() {
        buffer += '\n';
        if (buffer.size() > (1 << 20)) flush();
    }
    void flush() {
        if (!buffer.empty() && std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size())
            throw std::system_error(errno, std::generic_category());
        buffer.clear();
    }

  private:
    std::FILE *out;
    std::string buffer;
};

// Only faces carry normals; lines and single points are written without.
std::vector<std::uint32_t> NumberFaceNormals(const MeshData &mesh,
                                             const std::vector<CornerNormal> &normals,
                                             DistinctNormals &distinct) {
    std::vector<std::uint32_t> numbers(normals.size());
    std::size_t next = 0;
    for (const MeshPolygon &polygon : mesh.polygons) {
        std::size_t n = polygon.points.size();
        if (n >= 3)
            for (std::size_t c = 0; c < n; ++c)
                numbers[next + c] = distinct.numberOf(normals[next + c]);
        next += n;
    }
    return numbers;
}

}  // namespace

void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const std::vector<CornerNormal> &normals) {
    LineBuffer line(out);
    line.text("object,polygon,corner,point,nx,ny,nz").endLine();
    std::size_t next = 0;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        const std::vector<int> &points = mesh.polygons[p].points;
        for (std::size_t c = 0; c < points.size(); ++c, ++next) {
            line.integer(objectIndex).text(",").integer(static_cast<long long>(p)).text(",");
            line.integer(static_cast<long long>(c)).text(",").integer(points[c]);
            for (double component : {normals[next].x, normals[next].y, normals[next].z})
                line.text(",").number(component, 17);
            line.endLine();
        }
    }
    line.flush();
}

void WriteNormalsObj(std::FILE *out, const MeshData &mesh,
                     const std::vector<CornerNormal> &normals) {
    DistinctNormals distinct(normals.size());
    const std::vector<std::uint32_t> numbers = NumberFaceNormals(mesh, normals, distinct);
    LineBuffer line(out);
    for (const auto &point : mesh.points) {
        line.text("v");
        for (float coordinate : point) line.text(" ").number(coordinate);
        line.endLine();
    }
    for (const FloatNormal &normal : distinct.normals()) {
        line.text("vn");
        for (float component : normal) line.text(" ").number(component);
        line.endLine();
    }
    std::size_t next = 0;
    for (const MeshPolygon &polygon : mesh.polygons) {
        std::size_t n = polygon.points.size();
        if (n == 0) continue;
        line.text(n >= 3 ? "f" : n == 2 ? "l" : "p");
        for (std::size_t c = 0; c < n; ++c, ++next) {
            line.text(" ").integer(polygon.points[c] + 1);
            if (n >= 3) line.text("//").integer(static_cast<long long>(numbers[next]) + 1);
        }
        line.endLine();
    }
    line.flush();
}
