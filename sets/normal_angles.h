// Angles between unit normals, as the proposers measure them.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/scene/vec3.h"

inline double Degrees(geometry::Vec3 a, geometry::Vec3 b) {
    return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) * 180 / std::numbers::pi;
}

// Whether two unit normals meet at less than `limit` degrees: exactly Degrees(a, b) < limit, but
// told from the dot product alone unless it lies within a hair of the limit's cosine. The hair
// is far wider than the arc cosine's rounding, and an arc cosine for every edge of a large mesh
// costs more than everything else done with it.
class LessThanDegrees {
  public:
    explicit LessThanDegrees(double limit)
        : limit(limit), cosine(std::cos(limit * std::numbers::pi / 180)) {}

    bool operator()(geometry::Vec3 a, geometry::Vec3 b) const {
        double dot = Dot(a, b);
        if (dot > cosine + Hair) return true;
        if (dot < cosine - Hair) return false;
        return Degrees(a, b) < limit;
    }

  private:
    static constexpr double Hair = 1e-9;
    double limit, cosine;
};
