#include "shader/polygon_normal.h"

namespace {

Vec3 CornerPosition(LWMeshInfo &accessor, LWPolID polygon, int corner) {
    float position[3];
    accessor.pntOtherPos(&accessor, accessor.polVertex(&accessor, polygon, corner), position);
    return Vec3::from(position);
}

}  // namespace

Vec3 polygonNormal(LWMeshInfo &accessor, LWPolID polygon) {
    int corners = accessor.polSize(&accessor, polygon);
    if (corners < 3) return {};
    Vec3 p0 = CornerPosition(accessor, polygon, 0);
    Vec3 p1 = CornerPosition(accessor, polygon, 1);
    Vec3 last = CornerPosition(accessor, polygon, corners - 1);
    return normalize(cross(p1 - p0, last - p0));
}
