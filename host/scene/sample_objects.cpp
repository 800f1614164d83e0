#include "host/scene/sample_objects.h"

#include <cstring>

#include "host/scene/mesh_generators.h"

namespace {

// The data the host's example blotch shader stores: eight big-endian floats.
std::vector<std::uint8_t> BlotchData() {
    const float values[8] = {1.0f, 0.5f, 0.25f, 0.0f, 2.0f, 0.75f, 3.5f, -1.0f};
    std::vector<std::uint8_t> data;
    for (float value : values) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int shift = 24; shift >= 0; shift -= 8) data.push_back(std::uint8_t(bits >> shift));
    }
    return data;
}

}  // namespace

ObjectFile SampleBox() {
    MeshData mesh = MakeBox({"Box", "Sides"});
    mesh.polygons[0].part = mesh.polygons[1].part = "Lid";
    ObjectFile box = *MakeObjectFile("box", std::move(mesh));
    box.shaders.push_back({"Box", "\x80", true, "KV_Velmora", {}});
    return box;
}

ObjectFile SampleCylinder(int segments) {
    MeshData mesh = MakeCylinder(segments, 1, true, {"Metal", "Wall"});
    // Stood on the y axis from -1 to 1. Swapping y and z mirrors the cylinder, so that its
    // polygons face inwards; the example files have always held it so.
    for (std::array<float, 3> &point : mesh.points) point = {point[0], 2 * point[2] - 1, point[1]};
    for (std::size_t cap = mesh.polygons.size() - 2; cap < mesh.polygons.size(); ++cap) {
        mesh.polygons[cap].surface = "Paint";
        mesh.polygons[cap].part = "Cap";
    }
    ObjectFile cylinder = *MakeObjectFile("cylinder", std::move(mesh));
    cylinder.shaders.push_back({"Metal", "\x80", true, "KV_Velmora", {}});
    cylinder.shaders.push_back({"Metal", "\x81", false, "Demo_Blotch", BlotchData()});
    return cylinder;
}

ObjectFile SampleFrame() {
    MeshData mesh = MakeMesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                             {{0, 1, 2, 3}, {0, 1}, {1, 2}, {2, 3}, {3, 0}});
    TagAll(mesh, {"Frame", std::nullopt});
    return *MakeObjectFile("frame", std::move(mesh));
}

ObjectFile SampleCurve() {
    ObjectFile curve = SampleFrame();
    curve.filename = "curve";
    MeshPolygon spline;
    spline.points = {0, 2, 1, 3};
    spline.type = LWID_('C', 'U', 'R', 'V');
    spline.surface = "Frame";
    spline.part = "Spline";
    curve.mesh.polygons.push_back(spline);
    return curve;
}

std::vector<SampleObject> SampleObjects() {
    return {{"box", SampleBox(), true},
            {"cylinder", SampleCylinder(12), true},
            {"frame", SampleFrame(), true},
            {"curve", SampleCurve(), false}};
}
