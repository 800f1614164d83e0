// Casts rays at one mesh with Embree. Polygons are cut into fans of triangles; a hit names the
// polygon and the fan triangle it fell on.
#pragma once

#include <vector>

#include "host/non_copyable.h"
#include "host/render/camera.h"
#include "host/scene/scene.h"

namespace render {

struct Hit {
    int polygon = -1;    // -1 = the ray missed
    int fan = 0;         // triangle (0, fan + 1, fan + 2) of the polygon's corners
    float u = 0, v = 0;  // barycentric weights of that triangle's second and third corner
    double distance = 0;
};

class RayCaster : NonCopyable {
  public:
    // Polygons of fewer than three corners are left out. Throws std::runtime_error when Embree
    // cannot be set up.
    explicit RayCaster(const MeshData &mesh);
    ~RayCaster();

    // Safe to call from several threads at once.
    Hit cast(const Ray &ray) const;

  private:
    struct Triangle {
        int polygon, fan;
    };
    std::vector<Triangle> triangles;
    void *device = nullptr;
    void *scene = nullptr;
};

}  // namespace render
