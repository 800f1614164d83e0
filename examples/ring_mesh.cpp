#include "examples/ring_mesh.h"

#include <cmath>
#include <stdexcept>

namespace {

std::array<float, 3> ToPoint(Vec3 v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

}  // namespace

MeshData StitchRings(const RingStack &stack, const std::string &surface) {
    if (stack.rings.empty()) throw std::invalid_argument("a ring stack needs a ring");
    const int slots = static_cast<int>(stack.rings.front().size());
    MeshData mesh;
    for (const std::vector<Vec3> &ring : stack.rings) {
        if (static_cast<int>(ring.size()) != slots)
            throw std::invalid_argument("the rings of a stack differ in size");
        for (Vec3 point : ring) mesh.points.push_back(ToPoint(point));
    }
    auto index = [slots](int ring, int slot) { return ring * slots + slot % slots; };

    MeshPolygon bottom{{}, LWID_('F', 'A', 'C', 'E'), surface, stack.bottomPart};
    for (int slot = slots - 1; slot >= 0; --slot) bottom.points.push_back(index(0, slot));
    mesh.polygons.push_back(bottom);

    const int rings = static_cast<int>(stack.rings.size());
    for (int ring = 0; ring + 1 < rings; ++ring)
        for (int slot = 0; slot < slots; ++slot)
            mesh.polygons.push_back({{index(ring, slot), index(ring, slot + 1),
                                      index(ring + 1, slot + 1), index(ring + 1, slot)},
                                     LWID_('F', 'A', 'C', 'E'),
                                     surface,
                                     stack.partOf(ring, slot)});

    int apex = static_cast<int>(mesh.points.size());
    mesh.points.push_back(ToPoint(stack.apex));
    for (int slot = 0; slot < slots; ++slot)
        mesh.polygons.push_back({{index(rings - 1, slot), index(rings - 1, slot + 1), apex},
                                 LWID_('F', 'A', 'C', 'E'),
                                 surface,
                                 stack.apexPart});
    return mesh;
}

Vec3 AtAngle(double angle, double radius, double y) {
    return {radius * std::cos(angle), y, -radius * std::sin(angle)};
}

std::vector<Vec3> Circle(const std::vector<double> &angles, double radius, double y) {
    std::vector<Vec3> ring;
    for (double angle : angles) ring.push_back(AtAngle(angle, radius, y));
    return ring;
}
