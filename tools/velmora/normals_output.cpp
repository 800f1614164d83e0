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
void NumberFaceNormals(const MeshData &mesh, const CornerBlock &block, DistinctNormals &distinct,
                       std::vector<std::uint32_t> &numbers) {
    numbers.resize(block.normals.size());
    std::size_t next = 0;
    for (std::size_t p = block.firstPolygon; p < block.endPolygon; ++p) {
        std::size_t n = mesh.polygons[p].points.size();
        if (n >= 3)
            for (std::size_t c = 0; c < n; ++c)
                numbers[next + c] = distinct.numberOf(block.normals[next + c]);
        next += n;
    }
}

}  // namespace

void WriteNormalsCsv(std::FILE *out, int objectIndex, const MeshData &mesh,
                     const NextCornerBlock &next) {
    LineBuffer line(out);
    line.text("object,polygon,corner,point,nx,ny,nz").endLine();
    while (const CornerBlock *block = next()) {
        const CornerNormal *normal = block->normals.data();
        for (std::size_t p = block->firstPolygon; p < block->endPolygon; ++p) {
            const std::vector<int> &points = mesh.polygons[p].points;
            for (std::size_t c = 0; c < points.size(); ++c, ++normal) {
                line.integer(objectIndex).text(",").integer(static_cast<long long>(p)).text(",");
                line.integer(static_cast<long long>(c)).text(",").integer(points[c]);
                for (double component : {normal->x, normal->y, normal->z})
                    line.text(",").number(component, 17);
                line.endLine();
            }
        }
    }
    line.flush();
}

void WriteNormalsObj(std::FILE *out, const MeshData &mesh, const NextCornerBlock &next) {
    LineBuffer line(out);
    for (const auto &point : mesh.points) {
        line.text("v");
        for (float coordinate : point) line.text(" ").number(coordinate);
        line.endLine();
    }
    // Sized for every corner at once: growing it on the way costs more than the table's slots.
    DistinctNormals distinct(CornerCount(mesh));
    std::vector<std::uint32_t> numbers;  // per corner of the block
    while (const CornerBlock *block = next()) {
        auto known = static_cast<std::uint32_t>(distinct.size());
        NumberFaceNormals(mesh, *block, distinct, numbers);
        for (std::uint32_t n = known; n < distinct.size(); ++n) {
            line.text("vn");
            for (float component : distinct[n]) line.text(" ").number(component);
            line.endLine();
        }
        const std::uint32_t *number = numbers.data();
        for (std::size_t p = block->firstPolygon; p < block->endPolygon; ++p) {
            const std::vector<int> &points = mesh.polygons[p].points;
            std::size_t n = points.size();
            if (n == 0) continue;
            line.text(n >= 3 ? "f" : n == 2 ? "l" : "p");
            for (std::size_t c = 0; c < n; ++c, ++number) {
                line.text(" ").integer(points[c] + 1);
                if (n >= 3) line.text("//").integer(static_cast<long long>(*number) + 1);
            }
            line.endLine();
        }
    }
    line.flush();
}
