#include "host/formats/lwo2_corner_map.h"

#include <algorithm>

template <std::size_t N>
Lwo2CornerMap<N>::Lwo2CornerMap(const MeshData &mesh, const Kind &kind)
    : mesh(mesh), kind(kind), pointValue(mesh.points.size(), -1) {
    constexpr int Withheld = -2;
    for (const MeshPolygon &polygon : mesh.polygons)
        if (cornersOf(polygon).empty())
            for (int point : polygon.points) pointValue[std::size_t(point)] = Withheld;
    for (const MeshPolygon &polygon : mesh.polygons) {
        const std::vector<int> &corners = cornersOf(polygon);
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            int &first = pointValue[std::size_t(polygon.points[corner])];
            if (first == -1) first = corners[corner];
        }
    }
    std::replace(pointValue.begin(), pointValue.end(), Withheld, -1);
}

template <std::size_t N>
void Lwo2CornerMap<N>::begin(IffWriter &out, LWID chunk) const {
    out.beginChunk(chunk);
    out.id4(kind.type);
    out.u2(N);
    out.s0(kind.name);
}

template <std::size_t N>
const std::vector<int> &Lwo2CornerMap<N>::cornersOf(const MeshPolygon &polygon) const {
    return polygon.*kind.corners;
}

// Compared by value: an OBJ file may give one value twice under two indices.
template <std::size_t N>
bool Lwo2CornerMap<N>::differs(const MeshPolygon &polygon, std::size_t corner) const {
    const auto &values = mesh.*kind.values;
    int own = cornersOf(polygon)[corner];
    int points = pointValue[std::size_t(polygon.points[corner])];
    return points < 0 || values[std::size_t(own)] != values[std::size_t(points)];
}

template <std::size_t N>
void Lwo2CornerMap<N>::writePointMap(IffWriter &out) const {
    if (std::all_of(pointValue.begin(), pointValue.end(), [](int value) { return value < 0; }))
        return;
    begin(out, kVmapId);
    for (std::size_t point = 0; point < pointValue.size(); ++point) {
        if (pointValue[point] < 0) continue;
        out.vx(std::uint32_t(point));
        for (float value : (mesh.*kind.values)[std::size_t(pointValue[point])]) out.f4(value);
    }
    out.end();
}

template <std::size_t N>
void Lwo2CornerMap<N>::writeCornerMap(IffWriter &out, std::size_t first, std::size_t count) const {
    bool begun = false;
    for (std::size_t p = 0; p < count; ++p) {
        const MeshPolygon &polygon = mesh.polygons[first + p];
        const std::vector<int> &corners = cornersOf(polygon);
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            if (!differs(polygon, corner)) continue;
            if (!begun) begin(out, kVmadId);
            begun = true;
            out.vx(std::uint32_t(polygon.points[corner]));
            out.vx(std::uint32_t(p));
            for (float value : (mesh.*kind.values)[std::size_t(corners[corner])]) out.f4(value);
        }
    }
    if (begun) out.end();
}

template class Lwo2CornerMap<2>;
template class Lwo2CornerMap<3>;
