// The texture coordinates of a LightWave object as the mesh keeps them: those of its first UV map
// (the first TXUV VMAP's name), each point's from the map's VMAP chunks and, where a polygon's
// corner has its own (along a seam), that corner's from the map's VMAD chunks. A polygon gets
// texture corners when the map gives every one of its corners a coordinate.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "host/formats/iff_cursor.h"
#include "host/scene/scene.h"

class LwoUvMap {
  public:
    // A VMAP chunk; its point indices count from `pointBase`, below `pointCount`.
    void readPointMap(IffCursor &chunk, std::size_t pointBase, std::size_t pointCount);
    // A VMAD chunk; its polygon indices count from `polygonBase`, below `polygonCount`.
    void readCornerMap(IffCursor &chunk, std::size_t pointBase, std::size_t pointCount,
                       std::size_t polygonBase, std::size_t polygonCount);
    // Gives the mesh the coordinates read.
    void applyTo(MeshData &mesh);

  private:
    struct Corner {
        std::size_t polygon;
        int point;
        int coordinate;
    };
    bool takes(IffCursor &chunk, bool pointMap);
    int addCoordinate(IffCursor &chunk);
    int coordinateAt(const std::vector<Corner> &own, std::size_t polygon, int point) const;

    std::string name;  // of the map read; empty until the first TXUV VMAP
    std::size_t dimension = 0;
    std::vector<std::array<float, 2>> coordinates;
    std::vector<int> pointCoordinate;  // per point of the mesh, an index into coordinates or -1
    std::vector<Corner> corners;       // in file order
};
