// Fuzzes the renderer with OBJ text: whatever the reader accepts is rendered as a small picture
// or refused with an error naming the object. Nothing may reach the ray tracer that stops the
// program (a point too far out), and no shape may take the host's smoothing beyond the
// corners' count (many polygons at one point).
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "host/formats/obj_reader.h"
#include "host/render/renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char *>(data), size);
    render::RenderSettings settings;
    settings.width = settings.height = 8;
    settings.samplesPerPixel = 1;
    settings.threads = 1;
    settings.compare = false;
    try {
        ObjectItem item{"fuzz", std::make_shared<ObjectFile>(ParseObj(text, "fuzz.obj"))};
        render::Render(item, settings, {});
    } catch (const std::runtime_error &) {
        // Refused, naming the input.
    }
    return 0;
}
