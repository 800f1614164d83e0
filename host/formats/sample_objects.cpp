#include "host/formats/sample_objects.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

MeshPolygon Polygon(std::vector<int> points, const char *surface, const char *part) {
    MeshPolygon polygon;
    polygon.points = std::move(points);
    if (surface) polygon.surface = surface;
    if (part) polygon.part = part;
    return polygon;
}

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

ShaderBlock Shader(const char *surface, const char *ordinal, const char *server, bool enabled,
                   std::vector<std::uint8_t> data) {
    return ShaderBlock{surface, ordinal, enabled, server, std::move(data)};
}

}  // namespace

ObjectFile SampleBox() {
    ObjectFile box;
    box.filename = "box";
    for (int corner = 0; corner < 8; ++corner)
        box.mesh.points.push_back(
            {corner & 1 ? 0.5f : -0.5f, corner & 2 ? 0.5f : -0.5f, corner & 4 ? 0.5f : -0.5f});
    auto &polygons = box.mesh.polygons;
    polygons.push_back(Polygon({2, 6, 7, 3}, "Box", "Lid"));
    polygons.push_back(Polygon({0, 1, 5, 4}, "Box", "Lid"));
    polygons.push_back(Polygon({0, 2, 3, 1}, "Box", "Sides"));
    polygons.push_back(Polygon({1, 3, 7, 5}, "Box", "Sides"));
    polygons.push_back(Polygon({5, 7, 6, 4}, "Box", "Sides"));
    polygons.push_back(Polygon({4, 6, 2, 0}, "Box", "Sides"));
    box.surfaces = {"Box"};
    box.shaders.push_back(Shader("Box", "\x80", "KV_Velmora", true, {}));
    return box;
}

ObjectFile SampleCylinder(int segments) {
    ObjectFile cylinder;
    cylinder.filename = "cylinder";
    auto &points = cylinder.mesh.points;
    for (int i = 0; i < segments; ++i) {
        double angle = 2 * std::numbers::pi * i / segments;
        float x = float(std::cos(angle)), z = float(std::sin(angle));
        points.push_back({x, -1.0f, z});
        points.push_back({x, 1.0f, z});
    }
    auto &polygons = cylinder.mesh.polygons;
    std::vector<int> bottom, top;
    for (int i = 0; i < segments; ++i) {
        int next = (i + 1) % segments;
        polygons.push_back(Polygon({2 * i, 2 * next, 2 * next + 1, 2 * i + 1}, "Metal", "Wall"));
        bottom.push_back(2 * (segments - 1 - i));
        top.push_back(2 * i + 1);
    }
    polygons.push_back(Polygon(top, "Paint", "Cap"));
    polygons.push_back(Polygon(bottom, "Paint", "Cap"));
    cylinder.surfaces = {"Metal", "Paint"};
    cylinder.shaders.push_back(Shader("Metal", "\x80", "KV_Velmora", true, {}));
    cylinder.shaders.push_back(Shader("Metal", "\x81", "Demo_Blotch", false, BlotchData()));
    return cylinder;
}

ObjectFile SampleFrame() {
    ObjectFile frame;
    frame.filename = "frame";
    frame.mesh.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    auto &polygons = frame.mesh.polygons;
    polygons.push_back(Polygon({0, 1, 2, 3}, "Frame", nullptr));
    for (int i = 0; i < 4; ++i) polygons.push_back(Polygon({i, (i + 1) % 4}, "Frame", nullptr));
    frame.surfaces = {"Frame"};
    return frame;
}

ObjectFile SampleCurve() {
    ObjectFile curve = SampleFrame();
    curve.filename = "curve";
    MeshPolygon spline = Polygon({0, 2, 1, 3}, "Frame", "Spline");
    spline.type = LWID_('C', 'U', 'R', 'V');
    curve.mesh.polygons.push_back(spline);
    return curve;
}

std::vector<SampleObject> SampleObjects() {
    return {{"box", SampleBox(), true},
            {"cylinder", SampleCylinder(12), true},
            {"frame", SampleFrame(), true},
            {"curve", SampleCurve(), false}};
}
