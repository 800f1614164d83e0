// The shading record of one sample, allocated and filled as the host does before it calls a
// shader's `evaluate`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "host/render/camera.h"
#include "host/render/ray_caster.h"
#include "host/scene/host_normals.h"
#include "host/scene/scene.h"
#include "hostapi/lwshader.h"

namespace render {

// Hosts carry members after `polygon`; a shader may read them, so the record is allocated
// with room to spare and that room is zero.
class ShadingRecord {
  public:
    static constexpr size_t Bytes = 2048;
    ShadingRecord();
    ShadingRecord(const ShadingRecord &other);
    ShadingRecord &operator=(const ShadingRecord &other);
    ShadingRecord(ShadingRecord &&) = default;
    ShadingRecord &operator=(ShadingRecord &&) = default;

    LWShaderAccess &access() { return *reinterpret_cast<LWShaderAccess *>(storage.get()); }
    const LWShaderAccess &access() const {
        return *reinterpret_cast<const LWShaderAccess *>(storage.get());
    }
    LWShaderAccess *operator->() { return &access(); }
    const LWShaderAccess *operator->() const { return &access(); }
    void clear();

  private:
    // Whole words, so that zeroing covers every byte (padding in a struct would stay).
    std::unique_ptr<std::uint64_t[]> storage;
};

struct SampleSpot {
    int pixelX, pixelY;
    Ray ray;
    Hit hit;          // a hit on a polygon of the mesh
    double spotSize;  // width of the pixel's footprint at the hit
};

// Identifiers follow the scene's rule: objID is the item's address, polygon the MeshPolygon's,
// each vertex slot the address of its point's position. `bumpFrequency` above 0 adds a
// procedural bump to `wNorm`, as a bump-mapped surface would.
void FillShadingRecord(LWShaderAccess &record, const ObjectItem &item,
                       const geometry::HostNormals &normals, const SampleSpot &spot,
                       double bumpFrequency);

// For tests and benchmarks: a sample at (u, v) of polygon `polygon` of `item`, without a ray. A
// quad's weights are bilinear in (u, v) over corners 0..3; other polygons weigh their first (up
// to four) corners equally, and slots beyond the polygon's corners hold the null point with
// weight 0. Both shading normals are the geometric normal, unbumped.
ShadingRecord SampleOn(const ObjectItem &item, int polygon, float u = 0.5f, float v = 0.5f);

// The bump's change of a unit normal at a position: a ripple across the surface.
geometry::Vec3 BumpPerturbation(geometry::Vec3 position, geometry::Vec3 normal, double frequency);

}  // namespace render
