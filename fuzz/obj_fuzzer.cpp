// Fuzzes the OBJ reader: any input is read or refused with a FormatError, and the mesh read
// writes out as OBJ text that reads back with the same points and polygon count.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/formats/format_error.h"
#include "host/formats/obj_reader.h"
#include "host/formats/obj_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ObjectFile object;
    try {
        object = ParseObj(std::string_view(reinterpret_cast<const char *>(data), size), "fuzz.obj");
    } catch (const FormatError &) {
        return 0;
    }
    ObjectFile again = ParseObj(ObjText(object), "again.obj");
    if (again.mesh.points.size() != object.mesh.points.size() ||
        again.mesh.polygons.size() != object.mesh.polygons.size())
        std::abort();
    return 0;
}
