#include "host/formats/lightwave_object.h"

#include "host/formats/format_error.h"
#include "host/formats/iff_cursor.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo3_reader.h"
#include "host/formats/lwob_reader.h"

std::string IffFormType(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "FORM") return {};
    return std::string(bytes.begin() + 8, bytes.begin() + 12);
}

ObjectFile ParseLightWaveObject(std::span<const std::uint8_t> bytes, const std::string &filename) {
    std::string type = IffFormType(bytes);
    if (type == "LWO3") return ParseLwo3(bytes, filename);
    if (type == "LWOB") return ParseLwob(bytes, filename);
    if (type.empty() || type == "LWO2") return ParseLwo2(bytes, filename);
    LWID id = LWID(bytes[8]) << 24 | LWID(bytes[9]) << 16 | LWID(bytes[10]) << 8 | LWID(bytes[11]);
    throw FormatError(filename + ": not a LightWave object of a form this host reads (form type " +
                      IdText(id) + "; LWO3, LWO2 and LWOB are read)");
}
