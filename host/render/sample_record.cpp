#include "host/render/sample_record.h"

#include <algorithm>
#include <cmath>

#include "host/scene/scene_ids.h"

void GeometricNormal(const MeshData &mesh, const MeshPolygon &polygon, LWDVector normal) {
    normal[0] = normal[1] = normal[2] = 0;
    std::size_t corners = polygon.points.size();
    if (corners < 3) return;
    auto at = [&](std::size_t corner) { return mesh.points[polygon.points[corner]]; };
    auto p0 = at(0), p1 = at(1), pn = at(corners - 1);
    double e1[3], e2[3];
    for (int axis = 0; axis < 3; ++axis) {
        e1[axis] = double(p1[axis]) - p0[axis];
        e2[axis] = double(pn[axis]) - p0[axis];
    }
    double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                   e1[0] * e2[1] - e1[1] * e2[0]};
    double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length == 0) return;
    for (int axis = 0; axis < 3; ++axis) normal[axis] = n[axis] / length;
}

SampleRecord SampleOn(const ObjectItem &item, int polygon, float u, float v) {
    const MeshData &mesh = item.file->mesh;
    const MeshPolygon &face = mesh.polygons[polygon];
    SampleRecord record;
    LWShaderAccess &access = record.access;
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
    GeometricNormal(mesh, face, access.gNorm);
    for (int axis = 0; axis < 3; ++axis)
        access.wNorm[axis] = access.wNorm0[axis] = access.gNorm[axis];
    return record;
}
