// A value a mesh keeps per corner (texture coordinates, authored normals) as LWO2 keeps it: a
// vertex map (VMAP) gives each point the value of the first corner that uses it, and a
// discontinuous map (VMAD) after a POLS chunk gives that chunk's corners whose value differs
// from their point's, as along a UV seam or at a hard edge of the normals. A point that a polygon
// without values uses has no value in the VMAP, which that polygon would read back as its own;
// the corners with values there go into the VMAD. A VMAD entry names a point of a polygon, not a
// corner, so a polygon that uses one point twice keeps the value of its first corner there.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"
#include "host/scene/scene.h"

template <std::size_t N>
class Lwo2CornerMap {
  public:
    // Which map it is, and where the mesh keeps its values and each polygon's corners of it.
    struct Kind {
        LWID type;
        const char *name;
        std::vector<std::array<float, N>> MeshData::*values;
        std::vector<int> MeshPolygon::*corners;
    };

    // The mesh must outlive the map. Its corners of the map must index its values.
    Lwo2CornerMap(const MeshData &mesh, const Kind &kind);

    // Writes the VMAP, when any corner has a value, even when no point takes one.
    void writePointMap(IffWriter &out) const;
    // Writes the VMAD of the `count` polygons from `first`, those of the POLS chunk just written,
    // when any of their corners differs from its point.
    void writeCornerMap(IffWriter &out, std::size_t first, std::size_t count) const;

    // How many corners repeat a point of their polygon with another value than its first corner
    // there, which the file cannot keep.
    std::size_t cornersLost() const;

  private:
    void begin(IffWriter &out, LWID chunk) const;
    const std::vector<int> &cornersOf(const MeshPolygon &polygon) const;
    bool differs(const MeshPolygon &polygon, std::size_t corner) const;

    const MeshData &mesh;
    Kind kind;
    std::vector<int> pointValue;  // per point, an index into the values, or -1 for none
};

// Tells, polygon after polygon, whether a polygon has used a point already: one stamp per point,
// so that a polygon of many corners costs no more than its corners.
class RepeatedPoints {
  public:
    explicit RepeatedPoints(std::size_t points) : lastPolygon(points, 0) {}
    // Polygons must come in increasing order of their index.
    bool seenBefore(std::size_t polygon, int point);

  private:
    std::vector<std::size_t> lastPolygon;  // per point, 1 + the last polygon that used it, or 0
};

// The texture coordinates, in the map the host calls its first UV map: OBJ files name none.
inline const Lwo2CornerMap<2>::Kind kTextureMap{kTxuvId, "Texture", &MeshData::textureCoordinates,
                                                &MeshPolygon::textureCorners};
// The normals authored in another package, as a normal map.
inline const Lwo2CornerMap<3>::Kind kNormalMap{kNormId, "Normals", &MeshData::normals,
                                               &MeshPolygon::normalCorners};

// One line per map of which the file cannot keep every corner's value, with the count: empty when
// it keeps them all.
std::vector<std::string> CornerValuesLwo2CannotKeep(const MeshData &mesh);
