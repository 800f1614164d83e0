#include "host/render/sample_objects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/render/host_normals.h"

namespace render {

namespace {

constexpr double Turn = 2 * std::numbers::pi;

// The generators place points around the origin of a convex shape: a polygon faces outwards
// when its normal points away from the origin.
void AddOutwardPolygon(MeshData &mesh, std::vector<int> corners, const std::string &set) {
    MeshPolygon polygon;
    polygon.points = std::move(corners);
    polygon.surface = "Body";
    polygon.part = set;
    Vec3 centroid;
    for (int index : polygon.points) centroid += FromPoint(mesh.points[index]);
    if (Dot(PolygonNormal(mesh, polygon), centroid) < 0)
        std::reverse(polygon.points.begin(), polygon.points.end());
    mesh.polygons.push_back(std::move(polygon));
}

}  // namespace

MeshData MakeTwoSetCylinder(int sides, float radius, float height) {
    MeshData mesh;
    for (float y : {-height / 2, height / 2})
        for (int i = 0; i < sides; ++i) {
            double angle = Turn * i / sides;
            mesh.points.push_back({static_cast<float>(radius * std::cos(angle)), y,
                                   static_cast<float>(radius * std::sin(angle))});
        }
    std::vector<int> bottom, top;
    for (int i = 0; i < sides; ++i) {
        int next = (i + 1) % sides;
        AddOutwardPolygon(mesh, {i, next, sides + next, sides + i}, "side");
        bottom.push_back(i);
        top.push_back(sides + i);
    }
    AddOutwardPolygon(mesh, bottom, "cap");
    AddOutwardPolygon(mesh, top, "cap");
    return mesh;
}

MeshData MakeTwoSetSphere(int rings, int segments, float radius) {
    MeshData mesh;
    mesh.points.push_back({0, radius, 0});
    for (int ring = 1; ring < rings; ++ring) {
        double latitude = std::numbers::pi * ring / rings;
        for (int i = 0; i < segments; ++i) {
            double longitude = Turn * i / segments;
            mesh.points.push_back(
                {static_cast<float>(radius * std::sin(latitude) * std::cos(longitude)),
                 static_cast<float>(radius * std::cos(latitude)),
                 static_cast<float>(radius * std::sin(latitude) * std::sin(longitude))});
        }
    }
    int south = static_cast<int>(mesh.points.size());
    mesh.points.push_back({0, -radius, 0});

    auto at = [&](int ring, int i) { return 1 + (ring - 1) * segments + (i % segments); };
    for (int i = 0; i < segments; ++i) {
        AddOutwardPolygon(mesh, {0, at(1, i), at(1, i + 1)}, "north");
        for (int ring = 1; ring + 1 < rings; ++ring)
            AddOutwardPolygon(mesh,
                              {at(ring, i), at(ring + 1, i), at(ring + 1, i + 1), at(ring, i + 1)},
                              2 * ring < rings ? "north" : "south");
        AddOutwardPolygon(mesh, {south, at(rings - 1, i + 1), at(rings - 1, i)}, "south");
    }
    return mesh;
}

MeshData MakeMesh(std::vector<std::array<float, 3>> points,
                  std::vector<std::vector<int>> polygons) {
    MeshData mesh;
    mesh.points = std::move(points);
    for (std::vector<int> &corners : polygons) {
        mesh.polygons.emplace_back();
        mesh.polygons.back().points = std::move(corners);
    }
    return mesh;
}

ObjectItem MakeObjectItem(const std::string &name, MeshData mesh) {
    auto file = std::make_shared<ObjectFile>();
    file->filename = name + ".lwo";
    file->mesh = std::move(mesh);
    file->surfaces = {"Body"};
    return {name, file};
}

}  // namespace render
