// The sum of those normals of a set that lie within an angle of a direction, without visiting
// each normal. A point shared by thousands of polygons (the centre of a fan, the pole of a
// sphere) asks this once per polygon: visiting every neighbour each time would cost the square
// of their count. The normals are kept in a tree of boxes, each knowing its normals' sum, so that
// a box wholly inside or wholly outside the angle is settled at once; only boxes across its edge
// are opened, down to single normals tested exactly as a direct walk would test them.
#pragma once

#include <span>
#include <vector>

#include "host/scene/vec3.h"

namespace geometry {

class NormalCapSums {
  public:
    explicit NormalCapSums(std::span<const Vec3> normals);

    // The sum of the normals n with Dot(direction, n) > cosine.
    Vec3 SumWithin(Vec3 direction, double cosine) const;

  private:
    struct Box {
        Vec3 low, high, sum;
        int begin, end;            // its normals: sorted[begin, end)
        int halves[2] = {-1, -1};  // the boxes it splits into; none for a leaf
    };
    int build(int begin, int end);

    std::vector<Vec3> sorted;
    std::vector<Box> boxes;
};

}  // namespace geometry
