#include "host/scene/corner_weights.h"

#include <algorithm>
#include <cmath>

namespace geometry {

namespace {

struct Vec2 {
    double x, y;
};

Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
Vec2 operator*(double s, Vec2 a) {
    return {s * a.x, s * a.y};
}
double Cross(Vec2 a, Vec2 b) {
    return a.x * b.y - a.y * b.x;
}
double Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}

// Drops the axis along which the polygon faces most, keeping the quad's shape least distorted.
Vec2 Project(Vec3 p, Vec3 normal) {
    double ax = std::abs(normal.x), ay = std::abs(normal.y), az = std::abs(normal.z);
    if (ax >= ay && ax >= az) return {p.y, p.z};
    if (ay >= az) return {p.z, p.x};
    return {p.x, p.y};
}

CornerWeights FanTriangleWeights(int fan, float u, float v) {
    CornerWeights weights;
    weights.corner[0] = 0;
    weights.corner[1] = fan + 1;
    weights.corner[2] = fan + 2;
    weights.weight[0] = 1 - u - v;
    weights.weight[1] = u;
    weights.weight[2] = v;
    return weights;
}

double Closeness(double s) {
    return std::max({0.0, -s, s - 1});
}

// (s, t) with hit = a + s (b - a) + t (d - a) + s t (a - b + c - d), clamped to the unit
// square; false when the quad is too degenerate to invert.
bool InverseBilinear(Vec2 a, Vec2 b, Vec2 c, Vec2 d, Vec2 hit, double &s, double &t) {
    Vec2 e = b - a, f = d - a, g = (a - b) + (c - d), h = hit - a;
    double k2 = Cross(g, f), k1 = Cross(e, f) + Cross(h, g), k0 = Cross(h, e);
    double scale = std::max(std::abs(Cross(e, f)), 1e-300);
    if (std::abs(k2) <= 1e-9 * scale) {
        if (std::abs(k1) <= 1e-12 * scale) return false;
        t = -k0 / k1;
    } else {
        double discriminant = k1 * k1 - 4 * k0 * k2;
        if (discriminant < 0) return false;
        double root = std::sqrt(discriminant);
        double t0 = (-k1 - root) / (2 * k2), t1 = (-k1 + root) / (2 * k2);
        t = Closeness(t0) <= Closeness(t1) ? t0 : t1;
    }
    t = std::clamp(t, 0.0, 1.0);
    Vec2 across = e + t * g;
    double length = Dot(across, across);
    if (!(length > 0)) return false;
    s = std::clamp(Dot(h - t * f, across) / length, 0.0, 1.0);
    return std::isfinite(s) && std::isfinite(t);
}

CornerWeights QuadWeights(const MeshData &mesh, const MeshPolygon &polygon, Vec3 normal, int fan,
                          float u, float v, Vec3 hit) {
    Vec2 corner[4];
    for (int i = 0; i < 4; ++i)
        corner[i] = Project(FromPoint(mesh.points[polygon.points[i]]), normal);
    double s, t;
    if (!InverseBilinear(corner[0], corner[1], corner[2], corner[3], Project(hit, normal), s, t))
        return FanTriangleWeights(fan, u, v);
    CornerWeights weights;
    for (int i = 0; i < 4; ++i) weights.corner[i] = i;
    weights.weight[0] = static_cast<float>((1 - s) * (1 - t));
    weights.weight[1] = static_cast<float>(s * (1 - t));
    weights.weight[2] = static_cast<float>(s * t);
    weights.weight[3] = static_cast<float>((1 - s) * t);
    return weights;
}

}  // namespace

CornerWeights HitCornerWeights(const MeshData &mesh, const MeshPolygon &polygon, Vec3 normal,
                               int fan, float u, float v, Vec3 hit) {
    if (polygon.points.size() == 4) return QuadWeights(mesh, polygon, normal, fan, u, v, hit);
    return FanTriangleWeights(fan, u, v);
}

}  // namespace geometry
