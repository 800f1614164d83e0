#include "host/formats/lwo2_corner_map.h"

#include <algorithm>

#include "host/scene/plural.h"

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

// Written, though perhaps empty, whenever a polygon has values: a UV map is named by its VMAP
// alone, so corners that all had to go into the VMAD would otherwise read back without values.
template <std::size_t N>
void Lwo2CornerMap<N>::writePointMap(IffWriter &out) const {
    if (std::all_of(mesh.polygons.begin(), mesh.polygons.end(),
                    [&](const MeshPolygon &polygon) { return cornersOf(polygon).empty(); }))
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
    RepeatedPoints repeated(mesh.points.size());
    for (std::size_t p = 0; p < count; ++p) {
        const MeshPolygon &polygon = mesh.polygons[first + p];
        const std::vector<int> &corners = cornersOf(polygon);
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            if (repeated.seenBefore(first + p, polygon.points[corner])) continue;
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

template <std::size_t N>
std::size_t Lwo2CornerMap<N>::cornersLost() const {
    const auto &values = mesh.*kind.values;
    std::vector<int> firstCorner(mesh.points.size());
    RepeatedPoints repeated(mesh.points.size());
    std::size_t lost = 0;
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        const std::vector<int> &corners = cornersOf(polygon);
        for (std::size_t corner = 0; corner < corners.size(); ++corner) {
            int &kept = firstCorner[std::size_t(polygon.points[corner])];
            if (!repeated.seenBefore(p, polygon.points[corner]))
                kept = corners[corner];
            else if (values[std::size_t(kept)] != values[std::size_t(corners[corner])])
                ++lost;
        }
    }
    return lost;
}

bool RepeatedPoints::seenBefore(std::size_t polygon, int point) {
    std::size_t &last = lastPolygon[std::size_t(point)];
    if (last == polygon + 1) return true;
    last = polygon + 1;
    return false;
}

template class Lwo2CornerMap<2>;
template class Lwo2CornerMap<3>;

std::vector<std::string> CornerValuesLwo2CannotKeep(const MeshData &mesh) {
    std::vector<std::string> lines;
    auto add = [&](const char *what, std::size_t lost) {
        if (lost == 0) return;
        lines.push_back(std::string(what) + " of " + Plural(lost, "corner") +
                        " repeating a point of their polygon with another value (LWO2 keeps "
                        "one per point of a polygon)");
    };
    add("texture coordinates", Lwo2CornerMap<2>(mesh, kTextureMap).cornersLost());
    add("normals", Lwo2CornerMap<3>(mesh, kNormalMap).cornersLost());
    return lines;
}
