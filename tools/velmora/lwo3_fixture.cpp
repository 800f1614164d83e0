// Writes an LWO3 object for checks of the command's outputs on that form: the first example
// object with a triangle without area (its corners on one line) added to its first surface.
#include <iostream>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo3_testing.h"
#include "host/scene/sample_objects.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: lwo3_fixture OUTPUT.lwo\n";
        return 2;
    }
    try {
        ObjectFile object = SampleObjects().front().object;
        MeshData &mesh = object.mesh;
        auto first = static_cast<int>(mesh.points.size());
        mesh.points.insert(mesh.points.end(), {{5, 0, 0}, {6, 0, 0}, {7, 0, 0}});
        MeshPolygon sliver = mesh.polygons.front();
        sliver.points = {first, first + 1, first + 2};
        mesh.polygons.push_back(sliver);
        WriteFileAtomically(argv[1], Lwo3Bytes(object));
    } catch (const std::exception &error) {
        std::cerr << "lwo3_fixture: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
