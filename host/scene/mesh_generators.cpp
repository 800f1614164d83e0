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

// Quads over a (columns + 1) × (rows + 1) lattice of points numbered row by row from `first`.
// `wrapColumns`/`wrapRows` close the lattice on itself.
void AddLatticeQuads(MeshData &mesh, int first, int columns, int rows, bool wrapColumns,
                     bool wrapRows, const MeshTags &tags) {
    int pointColumns = wrapColumns ? columns : columns + 1;
    int pointRows = wrapRows ? rows : rows + 1;
    auto index = [&](int i, int j) {
        return first + (j % pointRows) * pointColumns + (i % pointColumns);
    };
    mesh.polygons.reserve(mesh.polygons.size() + static_cast<std::size_t>(columns) * rows);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            mesh.polygons.push_back(Polygon(
                {index(i, j), index(i + 1, j), index(i + 1, j + 1), index(i, j + 1)}, tags));
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
    AddLatticeQuads(mesh, 0, columns, rows, false, false, tags);
    return mesh;
}

MeshData MakeBox(const MeshTags &tags) {
    MeshData mesh;
    for (int corner = 0; corner < 8; ++corner)
        mesh.points.push_back(
            At(corner & 1 ? 0.5 : -0.5, corner & 2 ? 0.5 : -0.5, corner & 4 ? 0.5 : -0.5));
    for (std::vector<int> face : {std::vector<int>{0, 2, 3, 1},
                                  {4, 5, 7, 6},
                                  {0, 1, 5, 4},
                                  {2, 6, 7, 3},
                                  {0, 4, 6, 2},
                                  {1, 3, 7, 5}})
        mesh.polygons.push_back(Polygon(std::move(face), tags));
    return mesh;
}

MeshData MakeCylinder(int segments, int rings, bool capped, const MeshTags &tags) {
    MeshData mesh;
    for (int j = 0; j <= rings; ++j) {
        for (int i = 0; i < segments; ++i) {
            double angle = 2 * std::numbers::pi * i / segments;
            mesh.points.push_back(
                At(std::cos(angle), std::sin(angle), static_cast<double>(j) / rings));
        }
    }
    AddLatticeQuads(mesh, 0, segments, rings, true, false, tags);
    if (capped) {
        std::vector<int> bottom, top;
        for (int i = 0; i < segments; ++i) {
            bottom.push_back(segments - 1 - i);
            top.push_back(rings * segments + i);
        }
        mesh.polygons.push_back(Polygon(std::move(bottom), tags));
        mesh.polygons.push_back(Polygon(std::move(top), tags));
    }
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
    AddLatticeQuads(mesh, 0, major, minor, true, true, {});
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
