// Writes an LWO2 object holding what a modeller's object holds beyond a mesh (layers, maps, an
// image, texture blocks, another server's shader, pad bytes, unknown chunks), for checks of the
// command on such a file; with --normal-map, the object whose authored normals come in a normal
// map instead.
#include <iostream>
#include <string>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_fixtures_testing.h"
#include "host/formats/lwo2_normal_map_testing.h"

int main(int argc, char **argv) {
    bool normalMap = argc == 3 && std::string(argv[1]) == "--normal-map";
    if (argc != 2 && !normalMap) {
        std::cerr << "usage: lwo2_fixture [--normal-map] OUTPUT.lwo\n";
        return 2;
    }
    try {
        WriteFileAtomically(argv[argc - 1], normalMap ? lwo2_fixtures::FoldWithNormalMap()
                                                      : lwo2_fixtures::ObjectWithEverything());
    } catch (const std::exception &error) {
        std::cerr << "lwo2_fixture: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
