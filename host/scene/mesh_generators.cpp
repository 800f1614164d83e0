#include "host/scene/mesh_generators.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

using Point = std::array<float, 3>;

Point At(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

MeshPolygon Polygon(std::vector<int> points, const MeshTags &tags) {
    MeshPolygon polygon;
    polygon.points = std::move(points);
    polygon.surface = tags.surface;
    polygon.part = tags.part;
    return polygon;
}

// Quads over a `columns` × `rows` lattice, row by row; `index(i, j)` numbers the point of column i
// and row j, and closes the lattice on itself where a shape wraps around.
template <typename Index>
void AddLatticeQuads(MeshData &mesh, int columns, int rows, Index index, const MeshTags &tags) {
    mesh.polygons.reserve(mesh.polygons.size() + static_cast<std::size_t>(columns) * rows);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            mesh.polygons.push_back(Polygon(
                {index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)}, tags));
}

// Newell's normal, which suits polygons of any size.
Point NormalOf(const MeshData &mesh, const MeshPolygon &polygon) {
    Point normal = {0, 0, 0};
    for (std::size_t corner = 0; corner < polygon.points.size(); ++corner) {
        const Point &a = mesh.points[polygon.points[corner]];
        const Point &b = mesh.points[polygon.points[NextCorner(corner, polygon.points.size())]];
        normal[0] += (a[1] - b[1]) * (a[2] + b[2]);
        normal[1] += (a[2] - b[2]) * (a[0] + b[0]);
        normal[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    return normal;
}

// For a convex shape around the origin: turns each polygon whose normal points inwards.
void FaceOutwards(MeshData &mesh) {
    for (MeshPolygon &polygon : mesh.polygons) {
        Point normal = NormalOf(mesh, polygon), centroid = {0, 0, 0};
        for (int index : polygon.points)
            for (int axis = 0; axis < 3; ++axis) centroid[axis] += mesh.points[index][axis];
        if (normal[0] * centroid[0] + normal[1] * centroid[1] + normal[2] * centroid[2] < 0)
            std::reverse(polygon.points.begin(), polygon.points.end());
    }
}

}  // namespace

MeshData MakeGrid(int columns, int rows, const MeshTags &tags) {
    return MakeFoldedGrid(columns, rows, 0.0, tags);
}

MeshData MakeFoldedGrid(int columns, int rows, double foldRadians, const MeshTags &tags) {
    MeshData mesh;
    mesh.points.reserve(static_cast<std::size_t>(columns + 1) * (rows + 1));
    double tilt = foldRadians / 2;
    for (int j = 0; j <= rows; ++j) {
        for (int i = 0; i <= columns; ++i) {
            double x = static_cast<double>(i) / columns - 0.5;
            double y = static_cast<double>(j) / rows;
            // Both halves rise away from the fold line, so the fold is a valley.
            mesh.points.push_back(At(std::abs(x) * std::cos(tilt) * (x < 0 ? -1 : 1) + 0.5, y,
                                     std::abs(x) * std::sin(tilt)));
        }
    }
    AddLatticeQuads(
        mesh, columns, rows, [&](int i, int j) { return j * (columns + 1) + i; }, tags);
    return mesh;
}

MeshData MakeBox(const MeshTags &tags) {
    MeshData mesh;
    for (int corner = 0; corner < 8; ++corner)
        mesh.points.push_back(
            At(corner & 1 ? 0.5 : -0.5, corner & 2 ? 0.5 : -0.5, corner & 4 ? 0.5 : -0.5));
    for (std::vector<int> face : {std::vector<int>{2, 6, 7, 3},
                                  {0, 1, 5, 4},
                                  {0, 2, 3, 1},
                                  {1, 3, 7, 5},
                                  {5, 7, 6, 4},
                                  {4, 6, 2, 0}})
        mesh.polygons.push_back(Polygon(std::move(face), tags));
    return mesh;
}

MeshData MakeCylinder(int segments, int rings, bool capped, const MeshTags &tags) {
    MeshData mesh;
    for (int i = 0; i < segments; ++i) {
        double angle = 2 * std::numbers::pi * i / segments;
        for (int j = 0; j <= rings; ++j)
            mesh.points.push_back(
                At(std::cos(angle), std::sin(angle), static_cast<double>(j) / rings));
    }
    auto index = [&](int i, int j) { return (i % segments) * (rings + 1) + j; };
    AddLatticeQuads(mesh, segments, rings, index, tags);
    if (capped) {
        std::vector<int> top, bottom;
        for (int i = 0; i < segments; ++i) {
            top.push_back(index(i, rings));
            bottom.push_back(index(segments - 1 - i, 0));
        }
        mesh.polygons.push_back(Polygon(std::move(top), tags));
        mesh.polygons.push_back(Polygon(std::move(bottom), tags));
    }
    return mesh;
}

MeshData MakeTwoSetCylinder(int sides, float radius, float height) {
    MeshData mesh = MakeCylinder(sides, 1, true, {"Body", "side"});
    for (std::size_t cap = mesh.polygons.size() - 2; cap < mesh.polygons.size(); ++cap)
        mesh.polygons[cap].part = "cap";
    for (Point &point : mesh.points)
        point = {radius * point[0], height * (point[2] - 0.5f), radius * point[1]};
    FaceOutwards(mesh);
    return mesh;
}

MeshData MakeTwoSetSphere(int rings, int segments, float radius) {
    MeshData mesh;
    mesh.points.push_back({0, radius, 0});
    for (int ring = 1; ring < rings; ++ring) {
        double latitude = std::numbers::pi * ring / rings;
        for (int i = 0; i < segments; ++i) {
            double longitude = 2 * std::numbers::pi * i / segments;
            mesh.points.push_back(At(radius * std::sin(latitude) * std::cos(longitude),
                                     radius * std::cos(latitude),
                                     radius * std::sin(latitude) * std::sin(longitude)));
        }
    }
    int south = static_cast<int>(mesh.points.size());
    mesh.points.push_back({0, -radius, 0});

    auto at = [&](int ring, int i) { return 1 + (ring - 1) * segments + (i % segments); };
    MeshTags north{"Body", "north"}, southern{"Body", "south"};
    for (int i = 0; i < segments; ++i) {
        mesh.polygons.push_back(Polygon({0, at(1, i), at(1, i + 1)}, north));
        for (int ring = 1; ring + 1 < rings; ++ring)
            mesh.polygons.push_back(
                Polygon({at(ring, i), at(ring + 1, i), at(ring + 1, i + 1), at(ring, i + 1)},
                        2 * ring < rings ? north : southern));
        mesh.polygons.push_back(Polygon({south, at(rings - 1, i + 1), at(rings - 1, i)}, southern));
    }
    FaceOutwards(mesh);
    return mesh;
}

MeshData MakeTorus(int major, int minor, int setCount) {
    MeshData mesh;
    const double ringRadius = 1.0, tubeRadius = 0.3;
    for (int j = 0; j < minor; ++j) {
        double tube = 2 * std::numbers::pi * j / minor;
        for (int i = 0; i < major; ++i) {
            double ring = 2 * std::numbers::pi * i / major;
            double radius = ringRadius + tubeRadius * std::cos(tube);
            mesh.points.push_back(
                At(radius * std::cos(ring), radius * std::sin(ring), tubeRadius * std::sin(tube)));
        }
    }
    AddLatticeQuads(mesh, major, minor,
                    [&](int i, int j) { return (j % minor) * major + (i % major); }, {});
    for (int j = 0; j < minor; ++j) {
        for (int i = 0; i < major; ++i) {
            int band = i * setCount / major;
            MeshPolygon &polygon = mesh.polygons[static_cast<std::size_t>(j) * major + i];
            polygon.part = "band" + std::to_string(band);
            polygon.surface = band % 2 ? "Other" : "Default";
        }
    }
    return mesh;
}

MeshData MakeUnweldedSeam(double bendRadians) {
    MeshData mesh;
    mesh.points = {At(-1, 0, 0),
                   At(0, 0, 0),
                   At(0, 1, 0),
                   At(-1, 1, 0),
                   At(0, 0, 0),
                   At(std::cos(bendRadians), 0, std::sin(bendRadians)),
                   At(std::cos(bendRadians), 1, std::sin(bendRadians)),
                   At(0, 1, 0)};
    mesh.polygons.push_back(Polygon({0, 1, 2, 3}, {}));
    mesh.polygons.push_back(Polygon({4, 5, 6, 7}, {}));
    return mesh;
}

MeshData MakeOddPolygons(int sides) {
    MeshData mesh;
    mesh.points.push_back(At(0, 0, 0));
    std::vector<int> ngon = {0};
    for (int corner = 1; corner < sides; ++corner) {
        double angle = 2 * std::numbers::pi * corner / sides;
        ngon.push_back(static_cast<int>(mesh.points.size()));
        mesh.points.push_back(At(1 - std::cos(angle), -std::sin(angle), 0));
    }
    auto add = [&mesh](double x, double y, double z) {
        mesh.points.push_back(At(x, y, z));
        return static_cast<int>(mesh.points.size()) - 1;
    };
    int lineEnd = add(0, -1, 0);
    int quadA = add(-1, 0, 0), quadB = add(-1, 1, 0);
    int onLine1 = add(0, 0, 1), onLine2 = add(0, 0, 2);
    mesh.polygons.push_back(Polygon(std::move(ngon), {}));
    mesh.polygons.push_back(Polygon({0, lineEnd}, {}));
    mesh.polygons.push_back(Polygon({0}, {}));
    mesh.polygons.push_back(Polygon({0, quadA, quadB, 0}, {}));
    mesh.polygons.push_back(Polygon({0, onLine1, onLine2}, {}));
    mesh.polygons.push_back(Polygon({0, 0, 0}, {}));
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

void AppendMesh(MeshData &mesh, const MeshData &piece) {
    int offset = static_cast<int>(mesh.points.size());
    mesh.points.insert(mesh.points.end(), piece.points.begin(), piece.points.end());
    for (MeshPolygon polygon : piece.polygons) {
        for (int &point : polygon.points) point += offset;
        mesh.polygons.push_back(std::move(polygon));
    }
}

void TagAll(MeshData &mesh, const MeshTags &tags) {
    for (MeshPolygon &polygon : mesh.polygons) {
        polygon.surface = tags.surface;
        polygon.part = tags.part;
    }
}

std::shared_ptr<ObjectFile> MakeObjectFile(std::string filename, MeshData mesh) {
    auto file = std::make_shared<ObjectFile>();
    file->filename = std::move(filename);
    for (const MeshPolygon &polygon : mesh.polygons) {
        if (polygon.surface && std::find(file->surfaces.begin(), file->surfaces.end(),
                                         *polygon.surface) == file->surfaces.end())
            file->surfaces.push_back(*polygon.surface);
    }
    file->mesh = std::move(mesh);
    return file;
}

ObjectItem MakeObjectItem(const std::string &name, MeshData mesh) {
    std::shared_ptr<ObjectFile> file = MakeObjectFile(name + ".lwo", std::move(mesh));
    file->surfaces = {"Body"};
    file->smoothing = {{"Body", kDefaultSmoothingRadians}};
    return {name, file};
}
