// Angles between unit normals, as the proposers measure them.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/scene/vec3.h"

inline double Degrees(geometry::Vec3 a, geometry::Vec3 b) {
    return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) * 180 / std::numbers::pi;
}

// Whether a normal from floats has a direction, told from its squared length: it normalizes to
// zero exactly when that is zero or not finite.
inline bool HasDirectionOfSquaredLength(double squared) {
    return squared > 0 && std::isfinite(squared);
}

inline bool HasDirection(geometry::Vec3 normal) {
    return HasDirectionOfSquaredLength(Dot(normal, normal));
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

    // The opposite: whether they meet at more than `limit` degrees, exactly so at the limit too,
    // from their dot product `dot`, which the caller has worked out already.
    bool MoreThan(double dot, geometry::Vec3 a, geometry::Vec3 b) const {
        return !FromCosine(dot, [&] { return !(Degrees(a, b) > limit); });
    }

    // The same for two normals of any length, as a file gives them in floats, normalizing them
    // only when their cosine lies within the hair; false when either has no direction (see
    // HasDirection). Neither a squared length nor the product of two can overflow or underflow
    // a double.
    bool OfAnyLength(geometry::Vec3 a, geometry::Vec3 b) const {
        double aa = Dot(a, a), bb = Dot(b, b);
        if (!HasDirectionOfSquaredLength(aa) || !HasDirectionOfSquaredLength(bb)) return false;
        double cosine = Dot(a, b) / std::sqrt(aa * bb);
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
