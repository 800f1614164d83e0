// The distinct normals among many corners, as an OBJ file keeps them: each corner's normal
// rounded to the 32-bit float that OBJ readers hold, and each distinct float triple given one
// number, in the order of its first corner. Corners whose normals round alike share that number.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/render/vec3.h"

using FloatNormal = std::array<float, 3>;

class DistinctNormals {
  public:
    explicit DistinctNormals(std::size_t expectedCorners);

    // The number (from 0) of `normal`'s float triple, new when it has not been seen. Triples are
    // told apart by their bits: -0 and 0 are two normals, as their texts are.
    std::uint32_t numberOf(const render::Vec3 &normal);
    const std::vector<FloatNormal> &normals() const { return distinct; }

  private:
    static constexpr std::uint32_t Free = ~std::uint32_t{0};
    void grow();
    std::size_t slotOf(const FloatNormal &normal) const;

    std::vector<FloatNormal> distinct;
    std::vector<std::uint32_t> slots;  // numbers into `distinct`, or Free; a power of two in size
};
