#include "host/formats/distinct_normals.h"

#include <bit>
#include <cstring>

namespace {

bool SameBits(const FloatNormal &a, const FloatNormal &b) {
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

std::uint64_t HashOf(const FloatNormal &normal) {
    std::uint64_t hash = 0;
    for (float component : normal)
        hash = (hash ^ std::bit_cast<std::uint32_t>(component)) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

}  // namespace

DistinctNormals::DistinctNormals(std::size_t expectedCorners)
    : slots(std::bit_ceil(expectedCorners / 2 + 16), Free) {}

std::uint32_t DistinctNormals::numberOf(const geometry::Vec3 &normal) {
    FloatNormal rounded{static_cast<float>(normal.x), static_cast<float>(normal.y),
                        static_cast<float>(normal.z)};
    std::size_t mask = slots.size() - 1;
    for (std::size_t slot = slotOf(rounded);; slot = (slot + 1) & mask) {
        std::uint32_t number = slots[slot];
        if (number == Free) {
            number = static_cast<std::uint32_t>(count);
            add(rounded);
            slots[slot] = number;
            if (count * 2 > slots.size()) grow();
            return number;
        }
        if (SameBits((*this)[number], rounded)) return number;
    }
}

std::size_t DistinctNormals::slotOf(const FloatNormal &normal) const {
    return static_cast<std::size_t>(HashOf(normal)) & (slots.size() - 1);
}

void DistinctNormals::add(const FloatNormal &normal) {
    if (count % ChunkSize == 0) chunks.push_back(std::make_unique<FloatNormal[]>(ChunkSize));
    chunks.back()[count % ChunkSize] = normal;
    ++count;
}

// Keeps the table at most half full, so that a search ends soon at a free slot. The old table
// goes before the new one is made: the normals it numbered are all it holds, and they are kept
// apart.
void DistinctNormals::grow() {
    std::size_t size = slots.size() * 2;
    slots = std::vector<std::uint32_t>();
    slots.assign(size, Free);
    std::size_t mask = size - 1;
    for (std::uint32_t number = 0; number < count; ++number) {
        std::size_t slot = slotOf((*this)[number]);
        while (slots[slot] != Free) slot = (slot + 1) & mask;
        slots[slot] = number;
    }
}
