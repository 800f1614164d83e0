// Writes the preview objects as LWO2 files into a folder, with the settings of their polygon sets
// stored in their surfaces as LightWave stores them: the shader module is loaded, its options
// dialog is worked for each set, and what its save callback writes becomes the surface's shader
// block; the surface keeps the host's smoothing angle the object gives it. The files in
// examples/preview are its output; a test checks that they still are.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "examples/preview_objects.h"
#include "host/formats/lwo2_writer.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/shader_blocks.h"

namespace {

void WriteExample(const PreviewObject &object, const std::string &folder,
                  const std::string &module) {
    std::shared_ptr<ObjectFile> file = PreviewFile(object);
    Scene scene;
    scene.items.push_back({object.stem, file});

    HostSession session(std::move(scene), module);
    for (const std::string &warning :
         ApplySetRequests(session, *file, object.settings, {}).unmatched)
        throw std::runtime_error(warning);
    ObjectFile result = *file;
    result.shaders = ShaderBlocksWithSettings(session, *file);
    WriteLwo2(result, folder + "/" + file->filename);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_examples FOLDER MODULE\n");
        return 2;
    }
    try {
        for (const PreviewObject &object : ExampleObjects()) WriteExample(object, argv[1], argv[2]);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "make_examples: %s\n", error.what());
        return 1;
    }
    return 0;
}
