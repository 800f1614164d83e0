#include "shader/polygon_normal.h"

namespace {

// Each coordinate is read on its own. The host has just stored the position in pieces of its own
// choosing (x and y together, then z, say), and a wider load that spans two of them waits until
// both have reached the cache: the compiler's paired loads made every position read stall.
Vec3 PositionOf(LWMeshInfo &accessor, LWPntID point) {
    float position[3];
    accessor.pntOtherPos(&accessor, point, position);
    const volatile float *coordinate = position;
    return {coordinate[0], coordinate[1], coordinate[2]};
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
