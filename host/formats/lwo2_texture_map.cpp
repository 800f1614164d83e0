#include "host/formats/lwo2_texture_map.h"

#include <algorithm>

#include "host/formats/lwo2_ids.h"

namespace {

void BeginMap(IffWriter &out, LWID kind) {
    out.beginChunk(kind);
    out.id4(kTxuvId);
    out.u2(2);  // u and v
    out.s0(Lwo2TextureMap::Name);
}

}  // namespace

Lwo2TextureMap::Lwo2TextureMap(const MeshData &mesh)
    : mesh(mesh), pointCoordinate(mesh.points.size(), -1) {
    for (const MeshPolygon &polygon : mesh.polygons)
        for (std::size_t corner = 0; corner < polygon.textureCorners.size(); ++corner) {
            int &first = pointCoordinate[std::size_t(polygon.points[corner])];
            if (first < 0) first = polygon.textureCorners[corner];
        }
}

// Compared by value: an OBJ file may give one coordinate twice under two indices.
bool Lwo2TextureMap::differs(const MeshPolygon &polygon, std::size_t corner) const {
    const auto &coordinates = mesh.textureCoordinates;
    int own = polygon.textureCorners[corner];
    int points = pointCoordinate[std::size_t(polygon.points[corner])];
    return coordinates[std::size_t(own)] != coordinates[std::size_t(points)];
}

void Lwo2TextureMap::writePointMap(IffWriter &out) const {
    if (std::all_of(pointCoordinate.begin(), pointCoordinate.end(), [](int c) { return c < 0; }))
        return;
    BeginMap(out, kVmapId);
    for (std::size_t point = 0; point < pointCoordinate.size(); ++point) {
        if (pointCoordinate[point] < 0) continue;
        out.vx(std::uint32_t(point));
        for (float value : mesh.textureCoordinates[std::size_t(pointCoordinate[point])])
            out.f4(value);
    }
    out.end();
}

void Lwo2TextureMap::writeCornerMap(IffWriter &out, std::size_t first, std::size_t count) const {
    bool begun = false;
    for (std::size_t p = 0; p < count; ++p) {
        const MeshPolygon &polygon = mesh.polygons[first + p];
        for (std::size_t corner = 0; corner < polygon.textureCorners.size(); ++corner) {
            if (!differs(polygon, corner)) continue;
            if (!begun) BeginMap(out, kVmadId);
            begun = true;
            out.vx(std::uint32_t(polygon.points[corner]));
            out.vx(std::uint32_t(p));
            for (float value : mesh.textureCoordinates[std::size_t(polygon.textureCorners[corner])])
                out.f4(value);
        }
    }
    if (begun) out.end();
}
