// Fuzzes the OBJ reader: any input is read or refused with a FormatError, read the same on one
// thread as in many small chunks on several, and the mesh read writes out as OBJ text that reads
// back with the same points and polygon corners (the writer may move two-point faces among the
// lines, so corners are compared as a sorted list).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "host/formats/format_error.h"
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
    return 0;
}
