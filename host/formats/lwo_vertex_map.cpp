#include "host/formats/lwo_vertex_map.h"

#include <algorithm>

namespace {

std::string OutOfRange(const char *what, std::uint32_t index, std::size_t count) {
    return std::string(what) + " index " + std::to_string(index) + " out of range (" +
           std::to_string(count) + ")";
}

}  // namespace

LwoVertexMapHeader ReadVertexMapHeader(IffCursor &chunk) {
    LWID type = chunk.id4();
    std::size_t dimension = chunk.u2();
    return {type, dimension, chunk.s0()};
}

template <std::size_t N>
bool LwoVertexMap<N>::takes(const LwoVertexMapHeader &header, bool pointMap) {
    if (header.dimension < N) return false;
    if (name.empty() && (pointMap || cornersMayName)) {
        name = header.name;
        dimension = header.dimension;
    }
    return !name.empty() && header.name == name && header.dimension == dimension;
}

template <std::size_t N>
int LwoVertexMap<N>::addValue(IffCursor &chunk) {
    Value value;
    for (float &component : value) component = chunk.f4();
    for (std::size_t extra = N; extra < dimension; ++extra) chunk.f4();
    values.push_back(value);
    return static_cast<int>(values.size() - 1);
}

template <std::size_t N>
void LwoVertexMap<N>::readPointMap(const LwoVertexMapHeader &header, IffCursor &chunk,
                                   std::size_t pointBase, std::size_t pointCount) {
    if (!takes(header, true)) return;
    if (pointValue.size() < pointBase + pointCount) pointValue.resize(pointBase + pointCount, -1);
    while (!chunk.atEnd()) {
        std::uint32_t point = chunk.vx();
        if (point >= pointCount) chunk.fail(OutOfRange("point", point, pointCount));
        pointValue[pointBase + point] = addValue(chunk);
    }
}

template <std::size_t N>
void LwoVertexMap<N>::readCornerMap(const LwoVertexMapHeader &header, IffCursor &chunk,
                                    std::size_t pointBase, std::size_t pointCount,
                                    std::size_t polygonBase, std::size_t polygonCount) {
    if (!takes(header, false)) return;
    while (!chunk.atEnd()) {
        std::uint32_t point = chunk.vx(), polygon = chunk.vx();
        if (point >= pointCount) chunk.fail(OutOfRange("point", point, pointCount));
        if (polygon >= polygonCount) chunk.fail(OutOfRange("polygon", polygon, polygonCount));
        corners.push_back(
            {polygonBase + polygon, static_cast<int>(pointBase + point), addValue(chunk)});
    }
}

// `own`: the corners of one polygon that have their own value; a later entry for a corner
// replaces an earlier one.
template <std::size_t N>
int LwoVertexMap<N>::valueAt(const std::vector<Corner> &own, std::size_t polygon, int point) const {
    for (auto corner = own.rbegin(); corner != own.rend(); ++corner)
        if (corner->polygon == polygon && corner->point == point) return corner->value;
    std::size_t index = static_cast<std::size_t>(point);
    return index < pointValue.size() ? pointValue[index] : -1;
}

template <std::size_t N>
void LwoVertexMap<N>::applyTo(MeshData &mesh, std::vector<Value> MeshData::*meshValues,
                              std::vector<int> MeshPolygon::*polygonCorners) {
    if (values.empty()) return;
    std::stable_sort(corners.begin(), corners.end(),
                     [](const Corner &a, const Corner &b) { return a.polygon < b.polygon; });
    auto next = corners.begin();
    std::vector<Corner> own;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        own.clear();
        for (; next != corners.end() && next->polygon == p; ++next) own.push_back(*next);
        MeshPolygon &polygon = mesh.polygons[p];
        std::vector<int> valueCorners;
        for (int point : polygon.points) valueCorners.push_back(valueAt(own, p, point));
        if (std::find(valueCorners.begin(), valueCorners.end(), -1) == valueCorners.end())
            polygon.*polygonCorners = std::move(valueCorners);
    }
    mesh.*meshValues = std::move(values);
}

template class LwoVertexMap<2>;
template class LwoVertexMap<3>;
