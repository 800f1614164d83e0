// Writes the example objects into a folder: each sample as LWO2, and as OBJ where OBJ holds it.
// The files in examples/objects are its output; a test checks that they still are.
#include <cstdio>
#include <exception>
#include <string>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/obj_writer.h"
#include "host/scene/sample_objects.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_objects FOLDER\n");
        return 2;
    }
    try {
        for (const SampleObject &sample : SampleObjects()) {
            std::string stem = std::string(argv[1]) + "/" + sample.stem;
            WriteLwo2(sample.object, stem + ".lwo");
            if (!sample.fitsObj) continue;
            std::string text = ObjText(sample.object);
            WriteFileAtomically(
                stem + ".obj",
                std::span(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "make_sample_objects: %s\n", error.what());
        return 1;
    }
    return 0;
}
