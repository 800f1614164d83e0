#include "host/formats/lwo_uv_map.h"

#include <algorithm>

namespace {

constexpr LWID kTxuvId = LWID_('T', 'X', 'U', 'V');

std::string OutOfRange(const char *what, std::uint32_t index, std::size_t count) {
    return std::string(what) + " index " + std::to_string(index) + " out of range (" +
           std::to_string(count) + ")";
}

}  // namespace

// Only the first UV map's chunks are read; a VMAD may name it only once a VMAP has.
bool LwoUvMap::takes(IffCursor &chunk, bool pointMap) {
    LWID type = chunk.id4();
    std::size_t chunkDimension = chunk.u2();
    std::string chunkName = chunk.s0();
    if (type != kTxuvId || chunkDimension < 2) return false;
    if (name.empty() && pointMap) {
        name = chunkName;
        dimension = chunkDimension;
    }
    return !name.empty() && chunkName == name && chunkDimension == dimension;
}

int LwoUvMap::addCoordinate(IffCursor &chunk) {
    float u = chunk.f4(), v = chunk.f4();
    for (std::size_t extra = 2; extra < dimension; ++extra) chunk.f4();
    coordinates.push_back({u, v});
    return static_cast<int>(coordinates.size() - 1);
}

void LwoUvMap::readPointMap(IffCursor &chunk, std::size_t pointBase, std::size_t pointCount) {
    if (!takes(chunk, true)) return;
    if (pointCoordinate.size() < pointBase + pointCount)
        pointCoordinate.resize(pointBase + pointCount, -1);
    while (!chunk.atEnd()) {
        std::uint32_t point = chunk.vx();
        if (point >= pointCount) chunk.fail(OutOfRange("point", point, pointCount));
        pointCoordinate[pointBase + point] = addCoordinate(chunk);
    }
}

void LwoUvMap::readCornerMap(IffCursor &chunk, std::size_t pointBase, std::size_t pointCount,
                             std::size_t polygonBase, std::size_t polygonCount) {
    if (!takes(chunk, false)) return;
    while (!chunk.atEnd()) {
        std::uint32_t point = chunk.vx(), polygon = chunk.vx();
        if (point >= pointCount) chunk.fail(OutOfRange("point", point, pointCount));
        if (polygon >= polygonCount) chunk.fail(OutOfRange("polygon", polygon, polygonCount));
        corners.push_back(
            {polygonBase + polygon, static_cast<int>(pointBase + point), addCoordinate(chunk)});
    }
}

// `own`: the corners of one polygon that have their own coordinate; a later entry for a corner
// replaces an earlier one.
int LwoUvMap::coordinateAt(const std::vector<Corner> &own, std::size_t polygon, int point) const {
    for (auto corner = own.rbegin(); corner != own.rend(); ++corner)
        if (corner->polygon == polygon && corner->point == point) return corner->coordinate;
    std::size_t index = static_cast<std::size_t>(point);
    return index < pointCoordinate.size() ? pointCoordinate[index] : -1;
}

void LwoUvMap::applyTo(MeshData &mesh) {
    if (coordinates.empty()) return;
    std::stable_sort(corners.begin(), corners.end(),
                     [](const Corner &a, const Corner &b) { return a.polygon < b.polygon; });
    auto next = corners.begin();
    std::vector<Corner> own;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        own.clear();
        for (; next != corners.end() && next->polygon == p; ++next) own.push_back(*next);
        MeshPolygon &polygon = mesh.polygons[p];
        std::vector<int> textureCorners;
        for (int point : polygon.points) textureCorners.push_back(coordinateAt(own, p, point));
        if (std::find(textureCorners.begin(), textureCorners.end(), -1) == textureCorners.end())
            polygon.textureCorners = std::move(textureCorners);
    }
    mesh.textureCoordinates = std::move(coordinates);
}
