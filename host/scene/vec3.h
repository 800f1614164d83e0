// The host's vector: three doubles, with the few operations that normals and shading need.
#pragma once

#include <array>
#include <cmath>

namespace geometry {

struct Vec3 {
    double x = 0, y = 0, z = 0;
    bool operator==(const Vec3 &) const = default;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(double s, Vec3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline Vec3 &operator+=(Vec3 &a, Vec3 b) {
    return a = a + b;
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}

// A zero or non-finite vector stays zero rather than spreading NaN into a pixel.
inline Vec3 Normalize(Vec3 a) {
    double length = Length(a);
    if (!(length > 0) || !std::isfinite(length)) return {};
    return (1 / length) * a;
}

inline Vec3 FromArray(const double (&v)[3]) {
    return {v[0], v[1], v[2]};
}
inline Vec3 FromPoint(const std::array<float, 3> &p) {
    return {p[0], p[1], p[2]};
}
inline void ToArray(Vec3 a, double (&v)[3]) {
    v[0] = a.x;
    v[1] = a.y;
    v[2] = a.z;
}

}  // namespace geometry
