#include "shader/polygon_normal.h"

namespace {

Vec3 PositionOf(LWMeshInfo &accessor, LWPntID point) {
    float position[3];
    accessor.pntOtherPos(&accessor, point, position);
    return Vec3::from(position);
}

}  // namespace

Vec3 polygonNormal(LWMeshInfo &accessor, LWPolID polygon) {
    int corners = accessor.polSize(&accessor, polygon);
    if (corners < 3) return {};
    return normalThroughCorners(accessor, accessor.polVertex(&accessor, polygon, 0),
                                accessor.polVertex(&accessor, polygon, 1),
                                accessor.polVertex(&accessor, polygon, corners - 1));
}

Vec3 normalThroughCorners(LWMeshInfo &accessor, LWPntID first, LWPntID second, LWPntID last) {
    Vec3 p0 = PositionOf(accessor, first);
    Vec3 p1 = PositionOf(accessor, second);
    Vec3 pLast = PositionOf(accessor, last);
    return normalize(cross(p1 - p0, pLast - p0));
}
