// One vertex map of a LightWave object as the mesh keeps it: the texture coordinates of its first
// UV map (TXUV) or the normals of its first normal map (NORM). Each point takes its value from the
// map's VMAP chunks and, where a polygon's corner has its own (along a UV seam, at a hard edge of
// the normals), that corner takes it from the map's VMAD chunks, a later entry for a corner
// replacing an earlier one. A polygon gets corners only when the map gives every one of its
// corners a value: a polygon the map covers in part is left as if the map were absent.
//
// The first chunk of the map's type names the map; chunks of other maps of that type are skipped,
// as are maps of fewer than N components (components past N are read over).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "host/formats/iff_cursor.h"
#include "host/scene/scene.h"

// The start of a VMAP or VMAD chunk: { type, dimension, name }.
struct LwoVertexMapHeader {
    LWID type;
    std::size_t dimension;
    std::string name;
};
LwoVertexMapHeader ReadVertexMapHeader(IffCursor &chunk);

template <std::size_t N>
class LwoVertexMap {
  public:
    using Value = std::array<float, N>;

    // `cornersMayName`: whether a VMAD may be the chunk that names the map. A UV map always has
    // its VMAP; a normal map may be given per corner alone.
    explicit LwoVertexMap(bool cornersMayName) : cornersMayName(cornersMayName) {}

    // The rest of a VMAP chunk; its point indices count from `pointBase`, below `pointCount`.
    void readPointMap(const LwoVertexMapHeader &header, IffCursor &chunk, std::size_t pointBase,
                      std::size_t pointCount);
    // The rest of a VMAD chunk; its polygon indices count from `polygonBase`, below
    // `polygonCount`.
    void readCornerMap(const LwoVertexMapHeader &header, IffCursor &chunk, std::size_t pointBase,
                       std::size_t pointCount, std::size_t polygonBase, std::size_t polygonCount);
    // Moves the values read into `mesh.*values` and gives each polygon its `corners`; leaves the
    // mesh as it was when no chunk of the map was read.
    void applyTo(MeshData &mesh, std::vector<Value> MeshData::*values,
                 std::vector<int> MeshPolygon::*corners);

  private:
    struct Corner {
        std::size_t polygon;
        int point;
        int value;
    };
    bool takes(const LwoVertexMapHeader &header, bool pointMap);
    int addValue(IffCursor &chunk);
    int valueAt(const std::vector<Corner> &own, std::size_t polygon, int point) const;

    bool cornersMayName;
    std::string name;  // of the map read; empty until a chunk names it
    std::size_t dimension = 0;
    std::vector<Value> values;
    std::vector<int> pointValue;  // per point of the mesh, an index into values or -1
    std::vector<Corner> corners;  // in file order
};

extern template class LwoVertexMap<2>;
extern template class LwoVertexMap<3>;
