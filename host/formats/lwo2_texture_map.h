// Texture coordinates as LWO2 keeps them: a TXUV vertex map (VMAP) gives each point the
// coordinate of the first corner that uses it, and a discontinuous map (VMAD) after a POLS chunk
// gives that chunk's corners whose coordinate differs from their point's, as along a seam.
#pragma once

#include <cstddef>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/scene/scene.h"

class Lwo2TextureMap {
  public:
    // The name the map gets: OBJ files name none, and the host calls its first UV map so.
    static constexpr const char *Name = "Texture";

    // The mesh must outlive the map. Its texture corners must index its texture coordinates.
    explicit Lwo2TextureMap(const MeshData &mesh);

    // Writes the VMAP, when any corner has a coordinate.
    void writePointMap(IffWriter &out) const;
    // Writes the VMAD of the `count` polygons from `first`, those of the POLS chunk just written,
    // when any of their corners differs from its point.
    void writeCornerMap(IffWriter &out, std::size_t first, std::size_t count) const;

  private:
    bool differs(const MeshPolygon &polygon, std::size_t corner) const;

    const MeshData &mesh;
    std::vector<int> pointCoordinate;  // per point, an index into the coordinates, or -1
};
