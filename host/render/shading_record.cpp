#include "host/render/shading_record.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/scene/corner_weights.h"
#include "host/scene/geometric_normal.h"
#include "host/scene/scene_ids.h"

namespace render {

using geometry::CornerWeights;
using geometry::Cross;
using geometry::Dot;
using geometry::FromPoint;
using geometry::GeometricNormal;
using geometry::HitCornerWeights;
using geometry::HostNormals;
using geometry::Length;
using geometry::Normalize;
using geometry::ToArray;
using geometry::Vec3;

ShadingRecord::ShadingRecord() : storage(new std::uint64_t[Bytes / sizeof(std::uint64_t)]()) {
    static_assert(sizeof(LWShaderAccess) + 256 <= Bytes);
    static_assert(alignof(LWShaderAccess) <= alignof(std::uint64_t));
}

ShadingRecord::ShadingRecord(const ShadingRecord &other) : ShadingRecord() {
    *this = other;
}

ShadingRecord &ShadingRecord::operator=(const ShadingRecord &other) {
    if (!storage) storage.reset(new std::uint64_t[Bytes / sizeof(std::uint64_t)]);
    std::memcpy(storage.get(), other.storage.get(), Bytes);
    return *this;
}

void ShadingRecord::clear() {
    std::memset(storage.get(), 0, Bytes);
}

Vec3 BumpPerturbation(Vec3 position, Vec3 normal, double frequency) {
    constexpr double depth = 0.15;
    Vec3 slope{std::cos(frequency * position.x), std::cos(frequency * position.y),
               std::cos(frequency * position.z)};
    return -depth * (slope - Dot(slope, normal) * normal);
}

namespace {

Vec3 TrianglePosition(const MeshData &mesh, const MeshPolygon &polygon, const Hit &hit) {
    Vec3 a = FromPoint(mesh.points[polygon.points[0]]);
    Vec3 b = FromPoint(mesh.points[polygon.points[hit.fan + 1]]);
    Vec3 c = FromPoint(mesh.points[polygon.points[hit.fan + 2]]);
    return (1.0 - hit.u - hit.v) * a + double(hit.u) * b + double(hit.v) * c;
}

Vec3 TriangleNormal(const MeshData &mesh, const MeshPolygon &polygon, int fan) {
    Vec3 a = FromPoint(mesh.points[polygon.points[0]]);
    Vec3 b = FromPoint(mesh.points[polygon.points[fan + 1]]);
    Vec3 c = FromPoint(mesh.points[polygon.points[fan + 2]]);
    return Normalize(Cross(b - a, c - a));
}

Vec3 Facing(Vec3 normal, Vec3 side) {
    return Dot(normal, side) < 0 ? -normal : normal;
}

void SetIdentity(double (&matrix)[9]) {
    for (int i = 0; i < 9; ++i) matrix[i] = i % 4 == 0 ? 1 : 0;
}

}  // namespace

void FillShadingRecord(LWShaderAccess &record, const ObjectItem &item, const HostNormals &normals,
                       const SampleSpot &spot, double bumpFrequency) {
    const MeshData &mesh = item.file->mesh;
    const MeshPolygon &polygon = mesh.polygons[spot.hit.polygon];
    Vec3 position = TrianglePosition(mesh, polygon, spot.hit);

    Vec3 geometric = normals.polygon[spot.hit.polygon];
    if (Length(geometric) == 0) geometric = TriangleNormal(mesh, polygon, spot.hit.fan);
    geometric = Facing(geometric, -spot.ray.direction);

    CornerWeights slots =
        HitCornerWeights(mesh, polygon, geometric, spot.hit.fan, spot.hit.u, spot.hit.v, position);
    const Vec3 *cornerNormals = &normals.corner[normals.firstCorner[spot.hit.polygon]];
    Vec3 smoothed;
    for (int slot = 0; slot < 4; ++slot) {
        int corner = slots.corner[slot];
        if (corner < 0) continue;
        int point = polygon.points[corner];
        record.verts[slot] = PointID(mesh, point);
        record.weights[slot] = slots.weight[slot];
        for (int axis = 0; axis < 3; ++axis)
            record.vertsWPos[slot][axis] = mesh.points[point][axis];
        smoothed += double(slots.weight[slot]) * cornerNormals[corner];
    }
    smoothed = Normalize(smoothed);
    smoothed = Length(smoothed) == 0 ? geometric : Facing(smoothed, geometric);
    Vec3 shading = smoothed;
    if (bumpFrequency > 0)
        shading = Normalize(smoothed + BumpPerturbation(position, smoothed, bumpFrequency));

    record.sx = spot.pixelX;
    record.sy = spot.pixelY;
    ToArray(position, record.oPos);
    ToArray(position, record.wPos);
    ToArray(geometric, record.gNorm);
    record.spotSize = spot.spotSize;
    ToArray(spot.ray.origin, record.raySource);
    record.rayLength = spot.hit.distance;
    record.cosine = Dot(shading, -spot.ray.direction);
    SetIdentity(record.oXfrm);
    SetIdentity(record.wXfrm);
    record.objID = ItemID(item);
    record.polNum = spot.hit.polygon;
    ToArray(shading, record.wNorm);
    ToArray(smoothed, record.wNorm0);
    record.polygon = PolygonID(polygon);
    record.bumpHeight = bumpFrequency > 0 ? 1 : 0;
    record.diffuse = 1;
    record.eta = 1;
}

ShadingRecord SampleOn(const ObjectItem &item, int polygon, float u, float v) {
    const MeshData &mesh = item.file->mesh;
    const MeshPolygon &face = mesh.polygons[polygon];
    ShadingRecord record;
    LWShaderAccess &access = record.access();
    access.objID = ItemID(item);
    access.polygon = PolygonID(face);
    access.polNum = polygon;
    std::size_t slots = std::min<std::size_t>(face.points.size(), 4);
    for (std::size_t slot = 0; slot < slots; ++slot)
        access.verts[slot] = PointID(mesh, face.points[slot]);
    if (face.points.size() == 4) {
        access.weights[0] = (1 - u) * (1 - v);
        access.weights[1] = u * (1 - v);
        access.weights[2] = u * v;
        access.weights[3] = (1 - u) * v;
    } else {
        for (std::size_t slot = 0; slot < slots; ++slot) access.weights[slot] = 1.0f / slots;
    }
    ToArray(GeometricNormal(mesh, face), access.gNorm);
    for (int axis = 0; axis < 3; ++axis)
        access.wNorm[axis] = access.wNorm0[axis] = access.gNorm[axis];
    return record;
}

}  // namespace render
