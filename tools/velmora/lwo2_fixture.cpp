// Writes an LWO2 object holding what a modeller's object holds beyond a mesh (layers, maps, an
// image, texture blocks, another server's shader, pad bytes, unknown chunks), for checks of the
// command on such a file.
#include <iostream>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_fixtures_testing.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: lwo2_fixture OUTPUT.lwo\n";
        return 2;
    }
    try {
        WriteFileAtomically(argv[1], lwo2_fixtures::ObjectWithEverything());
    } catch (const std::exception &error) {
        std::cerr << "lwo2_fixture: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
