// The distinct normals among many corners, as an OBJ file keeps them: each corner's normal
// rounded to the 32-bit float that OBJ readers hold, and each distinct float triple given one
// number, in the order of its first corner. Corners whose normals round alike share that number.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/scene/vec3.h"

using FloatNormal = std::array<float, 3>;

class DistinctNormals {
  public:
    explicit DistinctNormals(std::size_t expectedCorners);

    // The number (from 0) of `normal`'s float triple, new when it has not been seen. Triples are
    // told apart by their bits: -0 and 0 are two normals, as their texts are.
    std::uint32_t numberOf(const geometry::Vec3 &normal);
    std::size_t size() const { return count; }
    const FloatNormal &operator[](std::uint32_t number) const {
        return chunks[number >> ChunkBits][number & (ChunkSize - 1)];
    }

  private:
    static constexpr std::uint32_t Free = ~std::uint32_t{0};
    // Normals are kept in chunks of a fixed size: a million of them grow without the copy, and
    // without the unused half, that a doubling array has at times.
    static constexpr int ChunkBits = 16;
    static constexpr std::size_t ChunkSize = std::size_t{1} << ChunkBits;

    void add(const FloatNormal &normal);
    void grow();
    std::size_t slotOf(const FloatNormal &normal) const;

    std::vector<std::unique_ptr<FloatNormal[]>> chunks;
    std::size_t count = 0;
    std::vector<std::uint32_t> slots;  // numbers of normals, or Free; a power of two in size
};
