// Shading records for samples on a scene's polygons, filled as a renderer fills them: the object,
// the polygon, its first four corners as vertex slots with interpolation weights, the geometric
// normal, and the unbumped host normal in both shading normals.
#pragma once

#include <memory>

#include "host/scene/scene.h"
#include "hostapi/lwshader.h"

// The host owns shading records; this one is a whole, zeroed record that tests may fill further.
struct SampleRecord {
    LWShaderAccess access{};
    LWShaderAccess *operator->() { return &access; }
    LWShaderAccess &operator*() { return access; }
};

// A sample at (u, v) of polygon `polygon` of `item`. A quad's weights are bilinear in (u, v)
// over corners 0..3; other polygons weigh their first (up to four) corners equally. Slots beyond
// the polygon's corners hold the null point with weight 0.
SampleRecord SampleOn(const ObjectItem &item, int polygon, float u = 0.5f, float v = 0.5f);

// The polygon's normal as the renderer sees it (corners 0, 1, n - 1; zero when degenerate).
void GeometricNormal(const MeshData &mesh, const MeshPolygon &polygon, LWDVector normal);
