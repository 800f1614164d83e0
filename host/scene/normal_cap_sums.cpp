#include "host/scene/normal_cap_sums.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace geometry {

namespace {

constexpr int LeafNormals = 8;

// Far beyond the rounding of a dot product of unit vectors, far below any angle that matters:
// a box this close to the edge is opened and its normals tested one by one.
constexpr double EdgeMargin = 1e-9;

double Axis(Vec3 v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The least and greatest Dot(direction, n) over every n in the box.
std::pair<double, double> DotRange(Vec3 direction, Vec3 low, Vec3 high) {
    double least = 0, greatest = 0;
    for (int axis = 0; axis < 3; ++axis) {
        double d = Axis(direction, axis);
        double a = d * Axis(low, axis), b = d * Axis(high, axis);
        least += std::min(a, b);
        greatest += std::max(a, b);
    }
    return {least, greatest};
}

}  // namespace

NormalCapSums::NormalCapSums(std::span<const Vec3> normals)
    : sorted(normals.begin(), normals.end()) {
    boxes.reserve(2 * sorted.size() / LeafNormals + 2);
    if (!sorted.empty()) build(0, static_cast<int>(sorted.size()));
}

// A box of sorted[begin, end), split at the median of its widest axis. Returns its index.
int NormalCapSums::build(int begin, int end) {
    int index = static_cast<int>(boxes.size());
    boxes.emplace_back();
    Box box{sorted[begin], sorted[begin], {}, begin, end};
    for (int i = begin; i < end; ++i) {
        const Vec3 &n = sorted[i];
        box.low = {std::min(box.low.x, n.x), std::min(box.low.y, n.y), std::min(box.low.z, n.z)};
        box.high = {std::max(box.high.x, n.x), std::max(box.high.y, n.y),
                    std::max(box.high.z, n.z)};
        box.sum += n;
    }
    Vec3 extent = box.high - box.low;
    if (end - begin > LeafNormals && !(extent == Vec3{})) {
        int axis = extent.x >= extent.y && extent.x >= extent.z ? 0 : extent.y >= extent.z ? 1 : 2;
        int middle = begin + (end - begin) / 2;
        std::nth_element(sorted.begin() + begin, sorted.begin() + middle, sorted.begin() + end,
                         [axis](Vec3 a, Vec3 b) { return Axis(a, axis) < Axis(b, axis); });
        box.halves[0] = build(begin, middle);
        box.halves[1] = build(middle, end);
    }
    boxes[index] = box;
    return index;
}

Vec3 NormalCapSums::SumWithin(Vec3 direction, double cosine) const {
    Vec3 sum;
    if (sorted.empty()) return sum;
    // Halving from the top, the boxes waiting are never more than the tree is deep.
    std::array<int, 2 * std::numeric_limits<int>::digits> open;
    int waiting = 0;
    open[waiting++] = 0;
    while (waiting > 0) {
        const Box &box = boxes[open[--waiting]];
        auto [least, greatest] = DotRange(direction, box.low, box.high);
        if (greatest < cosine - EdgeMargin) continue;
        if (least > cosine + EdgeMargin) {
            sum += box.sum;
        } else if (box.halves[0] >= 0) {
            open[waiting++] = box.halves[0];
            open[waiting++] = box.halves[1];
        } else if (box.low == box.high) {
            // Equal normals, however many: one test settles them all.
            if (Dot(direction, box.low) > cosine) sum += box.sum;
        } else {
            for (int i = box.begin; i < box.end; ++i)
                if (Dot(direction, sorted[i]) > cosine) sum += sorted[i];
        }
    }
    return sum;
}

}  // namespace geometry
