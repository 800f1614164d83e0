// Arbitrary bytes as the settings file of `velmora --settings`, for an object with the surface
// "Box" and the sets "Lid" and "Sides". The command either refuses the file, and then nothing of
// it reaches the module, or loads it.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "host/scene/mesh_generators.h"
#include "host/session/host_session.h"
#include "host/session/instance_stream.h"
#include "host/session/settings_file.h"

extern "C" ModuleDescriptor _mod_descrip;

namespace {

Scene BoxScene() {
    MeshData mesh = MakeGrid(2, 1, {"Box", "Lid"});
    mesh.polygons[1].part = "Sides";
    Scene scene;
    scene.items.push_back({"Box", MakeObjectFile("box.lwo", std::move(mesh))});
    return scene;
}

HostSession &Session() {
    static HostSession session(BoxScene(), _mod_descrip);
    return session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    HostSession &session = Session();
    const ObjectFile &file = *session.scene().items.front().file;
    LWInstance instance = session.attach(file, "Box");
    const std::vector<unsigned char> before = SavedBytes(session, instance, LWIO_BINARY);
    try {
        LoadSettings(session, file, "fuzz.settings", {data, data + size}, {});
    } catch (const std::runtime_error &) {
        if (SavedBytes(session, instance, LWIO_BINARY) != before) std::abort();
    }
    return 0;
}
