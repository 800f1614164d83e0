// Three doubles: every normal of the shader is summed and compared in double precision.
#pragma once

#include <cmath>

struct Vec3 {
    double x = 0, y = 0, z = 0;

    static Vec3 from(const double v[3]) { return {v[0], v[1], v[2]}; }
    static Vec3 from(const float v[3]) { return {v[0], v[1], v[2]}; }
    void store(double v[3]) const {
        v[0] = x;
        v[1] = y;
        v[2] = z;
    }

    Vec3 operator+(const Vec3 &b) const { return {x + b.x, y + b.y, z + b.z}; }
    Vec3 operator-(const Vec3 &b) const { return {x - b.x, y - b.y, z - b.z}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
    Vec3 &operator+=(const Vec3 &b) { return *this = *this + b; }
    friend Vec3 operator*(double s, const Vec3 &v) { return {s * v.x, s * v.y, s * v.z}; }
    bool operator==(const Vec3 &) const = default;
};

inline double dot(const Vec3 &a, const Vec3 &b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 cross(const Vec3 &a, const Vec3 &b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double length(const Vec3 &v) {
    return std::sqrt(dot(v, v));
}

// A zero-length vector (or one whose length is not a number) stays zero.
inline Vec3 normalize(const Vec3 &v) {
    double l = length(v);
    if (l == 0 || std::isnan(l)) return {};
    return {v.x / l, v.y / l, v.z / l};
}
