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
        return FromCosine(Dot(a, b), [&] { return Degrees(a, b) < limit; });
    }

    // The opposite: whether they meet at more than `limit` degrees, exactly so at the limit too.
    bool MoreThan(geometry::Vec3 a, geometry::Vec3 b) const {
        return !FromCosine(Dot(a, b), [&] { return !(Degrees(a, b) > limit); });
    }

    // The same for two normals of any length whose squared lengths are finite and above zero,
    // normalizing them only when their cosine lies within the hair: a mesh's normals as a
    // file gives them, compared along every edge.
    bool OfAnyLength(geometry::Vec3 a, geometry::Vec3 b) const {
        double cosine = Dot(a, b) / std::sqrt(Dot(a, a) * Dot(b, b));
        return FromCosine(cosine, [&] { return (*this)(Normalize(a), Normalize(b)); });
    }

  private:
    template <class Exactly>
    bool FromCosine(double of, const Exactly &exactly) const {
        if (of > cosine + Hair) return true;
        if (of < cosine - Hair) return false;
        return exactly();
    }

    static constexpr double Hair = 1e-9;
    double limit, cosine;
};
