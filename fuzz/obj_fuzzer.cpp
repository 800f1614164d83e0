// Fuzzes the OBJ reader: any input is read or refused with a FormatError, read the same on one
// thread as in many small chunks on several, and the mesh read writes out as OBJ text that reads
// back with the same points and polygon corners (the writer may move two-point faces among the
// lines, so corners are compared as a sorted list). What reads also writes as LWO2, or is refused
// as more than that format holds, and reads back from it with every corner's texture coordinates
// and normals, compared by value (a polygon's first at a point it uses twice), and none where the
// OBJ gave none.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "host/formats/format_error.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/obj_reader.h"
#include "host/formats/obj_writer.h"

namespace {

std::string ReadOrError(std::string_view text, const ObjReadWork &work, ObjectFile &object) {
    try {
        object = ParseObj(text, "fuzz.obj", work);
    } catch (const FormatError &error) {
        return error.what();
    }
    return {};
}

std::vector<std::vector<int>> SortedCorners(const ObjectFile &object) {
    std::vector<std::vector<int>> corners;
    for (const MeshPolygon &polygon : object.mesh.polygons) corners.push_back(polygon.points);
    std::sort(corners.begin(), corners.end());
    return corners;
}

// Compared by their bytes: a NaN the file gives is not equal to itself. Where a polygon uses a
// point twice, LWO2 keeps the value of its first corner there.
template <std::size_t N>
bool SameCornerValues(const std::vector<int> &points,
                      const std::vector<std::array<float, N>> &aValues, const std::vector<int> &a,
                      const std::vector<std::array<float, N>> &bValues, const std::vector<int> &b) {
    if (a.size() != b.size()) return false;
    for (std::size_t corner = 0; corner < a.size(); ++corner) {
        std::size_t kept =
            std::size_t(std::find(points.begin(), points.end(), points[corner]) - points.begin());
        if (std::memcmp(&aValues[std::size_t(a[kept])], &bValues[std::size_t(b[corner])],
                        sizeof(float) * N) != 0)
            return false;
    }
    return true;
}

bool KeepsCornerValues(const MeshData &obj, const MeshData &lwo) {
    if (obj.polygons.size() != lwo.polygons.size()) return false;
    for (std::size_t p = 0; p < obj.polygons.size(); ++p) {
        const MeshPolygon &a = obj.polygons[p], &b = lwo.polygons[p];
        if (a.points != b.points ||
            !SameCornerValues(a.points, obj.textureCoordinates, a.textureCorners,
                              lwo.textureCoordinates, b.textureCorners) ||
            !SameCornerValues(a.points, obj.normals, a.normalCorners, lwo.normals, b.normalCorners))
            return false;
    }
    return true;
}

void CheckLwo2(const ObjectFile &object) {
    std::vector<std::uint8_t> written;
    try {
        written = EncodeLwo2(object, "fuzz.lwo");
    } catch (const FormatError &) {
        return;
    }
    if (!KeepsCornerValues(object.mesh, ParseLwo2(written, "fuzz.lwo").mesh)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char *>(data), size);
    ObjectFile object, chunked;
    std::string error = ReadOrError(text, {1, size + 1}, object);
    if (ReadOrError(text, {3, 16}, chunked) != error) std::abort();
    if (!error.empty()) return 0;
    if (!(chunked == object)) std::abort();
    ObjectFile again = ParseObj(ObjText(object), "again.obj");
    if (again.mesh.points != object.mesh.points || SortedCorners(again) != SortedCorners(object))
        std::abort();
    CheckLwo2(object);
    return 0;
}
