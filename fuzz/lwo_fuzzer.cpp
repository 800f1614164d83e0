// Fuzzes the LightWave object readers (LWO3, LWO2 and LWOB, chosen by the file's header): any
// input is read or refused with a FormatError, and whatever is read writes as LWO2 to a file that
// reads and writes again to the same bytes. An LWO3 object that reads converts to an LWO2 object
// that reads as the same mesh and surfaces; an LWOB object that reads names its losses.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "host/formats/format_error.h"
#include "host/formats/lightwave_object.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo3_to_lwo2.h"
#include "host/formats/lwob_losses.h"

namespace {

// Values compared by their bytes: a file's NaN coordinates are read as they are, and a NaN is not
// equal to itself.
template <typename Value>
bool SameBytes(const std::vector<Value> &a, const std::vector<Value> &b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Value)) == 0);
}

bool SameMesh(const MeshData &a, const MeshData &b) {
    return a.polygons == b.polygons && SameBytes(a.points, b.points) &&
           SameBytes(a.textureCoordinates, b.textureCoordinates) && SameBytes(a.normals, b.normals);
}

void CheckConversion(std::span<const std::uint8_t> input, const ObjectFile &object) {
    std::string form = IffFormType(input);
    if (form == "LWOB") LwobLosses(input, "fuzz.lwo");
    if (form != "LWO3") return;
    ObjectFile converted = ParseLwo2(ConvertLwo3ToLwo2(input, "fuzz.lwo").bytes, "fuzz.lwo");
    if (!SameMesh(converted.mesh, object.mesh) || converted.surfaces != object.surfaces)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    ObjectFile object;
    std::vector<std::uint8_t> written;
    try {
        object = ParseLightWaveObject(std::span(data, size), "fuzz.lwo");
        written = EncodeLwo2(object, "fuzz.lwo");
    } catch (const FormatError &) {
        return 0;  // refused: damaged, or more than the writer's format holds
    }
    ObjectFile again = ParseLwo2(written, "fuzz.lwo");
    if (EncodeLwo2(again, "fuzz.lwo") != written) std::abort();
    CheckConversion(std::span(data, size), object);
    return 0;
}
