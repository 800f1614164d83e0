// Writes the view tests' object: a torus in eight bands of quads, each its own polygon set, the
// odd ones of a second surface, smoothed by the host at 60 degrees. Bands four apart share no
// point, so a change of one can be seen not to reach the other.
#include <iostream>

#include "host/formats/lwo2_writer.h"
#include "host/scene/mesh_generators.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: banded_torus OUTPUT.lwo\n";
        return 2;
    }
    try {
        auto file = MakeObjectFile(argv[1], MakeTorus(96, 24, 8));
        file->surfaces = {"Default", "Other"};
        file->smoothing = {{"Default", 1.05f}, {"Other", 1.05f}};
        WriteLwo2(*file, argv[1]);
    } catch (const std::exception &error) {
        std::cerr << "banded_torus: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
