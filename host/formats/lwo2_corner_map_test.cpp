#include "host/formats/lwo2_corner_map.h"

#include <gtest/gtest.h>

#include <tuple>

#include "host/formats/format_error_testing.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_reader.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/lwo_mesh_chunks.h"
#include "host/formats/seamed_quads_testing.h"

namespace {

using Entry = std::tuple<std::uint32_t, std::uint32_t, float, float>;  // point, polygon, u, v

struct WrittenMaps {
    std::vector<Entry> points;                   // polygon unused
    std::vector<std::vector<Entry>> seamsByRun;  // one list per VMAD, in file order
    std::vector<LWID> order;                     // PNTS, VMAP, POLS and VMAD as written
};

WrittenMaps MapsOf(const ObjectFile &object) {
    WrittenMaps maps;
    auto bytes = EncodeLwo2(object, "mapped.lwo");
    ForEachLwoChunk(bytes, "mapped.lwo", kLwo2Id, "LWO2", [&](LWID id, IffCursor &chunk) {
        const bool point = id == LWID_('V', 'M', 'A', 'P'), seam = id == LWID_('V', 'M', 'A', 'D');
        if (id == kPntsId || id == kPolsId || point || seam) maps.order.push_back(id);
        if (!point && !seam) return;
        EXPECT_EQ(chunk.id4(), LWID_('T', 'X', 'U', 'V'));
        EXPECT_EQ(chunk.u2(), 2);
        EXPECT_EQ(chunk.s0(), kTextureMap.name);
        std::vector<Entry> &entries = point ? maps.points : maps.seamsByRun.emplace_back();
        while (!chunk.atEnd()) {
            std::uint32_t at = chunk.vx(), polygon = seam ? chunk.vx() : 0;
            float u = chunk.f4(), v = chunk.f4();
            entries.emplace_back(at, polygon, u, v);
        }
    });
    return maps;
}

TEST(Lwo2CornerMap, PointsTakeTheirFirstCornerAndSeamsFollowTheirPolygons) {
    WrittenMaps maps = MapsOf(SeamedQuads());
    EXPECT_EQ(maps.points, (std::vector<Entry>{{0, 0, 0, 0},
                                               {1, 0, 0.5f, 0},
                                               {2, 0, 1, 0},
                                               {3, 0, 0, 1},
                                               {4, 0, 0.5f, 1},
                                               {5, 0, 1, 1}}));
    ASSERT_EQ(maps.seamsByRun.size(), 1u);
    EXPECT_EQ(maps.seamsByRun[0], (std::vector<Entry>{{4, 1, 0.75f, 1}}));
    EXPECT_EQ(maps.order, (std::vector<LWID>{kPntsId, LWID_('V', 'M', 'A', 'P'), kPolsId,
                                             LWID_('V', 'M', 'A', 'D')}));
}

// A discontinuous map numbers polygons within the POLS chunk before it.
TEST(Lwo2CornerMap, EachRunOfPolygonsHasItsOwnSeams) {
    ObjectFile object = SeamedQuads();
    MeshPolygon curve = object.mesh.polygons[1];
    curve.type = LWID_('C', 'U', 'R', 'V');
    object.mesh.polygons = {object.mesh.polygons[0], curve, object.mesh.polygons[1]};
    WrittenMaps maps = MapsOf(object);
    ASSERT_EQ(maps.seamsByRun.size(), 2u);
    EXPECT_EQ(maps.seamsByRun[0], (std::vector<Entry>{{4, 0, 0.75f, 1}}));
    EXPECT_EQ(maps.seamsByRun[1], (std::vector<Entry>{{4, 0, 0.75f, 1}}));
}

TEST(Lwo2CornerMap, AnObjectWithoutCoordinatesHasNoMaps) {
    ObjectFile object = SeamedQuads();
    object.mesh.textureCoordinates.clear();
    for (MeshPolygon &polygon : object.mesh.polygons) polygon.textureCorners.clear();
    EXPECT_EQ(MapsOf(object).order, (std::vector<LWID>{kPntsId, kPolsId}));
}

TEST(Lwo2CornerMap, CornersThatDoNotFitTheCoordinatesAreRefused) {
    ObjectFile object = SeamedQuads();
    object.mesh.polygons[1].textureCorners = {4, 5, 6};
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "bad.lwo"); }),
              "bad.lwo: polygon 1 has 3 texture corners for its 4 points");
    object.mesh.polygons[1].textureCorners = {4, 5, 6, 8};
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "bad.lwo"); }),
              "bad.lwo: polygon 1: texture coordinate index 8 out of range (8 coordinates)");
}

// Two quads that share their normals along their edge but at point 4, where the second leans:
// a hard corner, as a modelling package writes one out, which comes back corner for corner.
TEST(Lwo2CornerMap, NormalsComeBackFromTheObjectCornerForCorner) {
    ObjectFile object = SeamedQuads();
    object.mesh.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0.6f, 0.8f}};
    object.mesh.polygons[0].normalCorners = {0, 0, 1, 0};  // one normal under two indices
    object.mesh.polygons[1].normalCorners = {0, 0, 1, 2};
    std::vector<std::uint8_t> bytes = EncodeLwo2(object, "normals.lwo");
    MeshData read = ParseLwo2(bytes, "normals.lwo").mesh;
    ASSERT_EQ(read.polygons.size(), 2u);
    for (std::size_t p = 0; p < 2; ++p) {
        const MeshPolygon &written = object.mesh.polygons[p], &back = read.polygons[p];
        ASSERT_EQ(back.normalCorners.size(), 4u) << p;
        for (std::size_t corner = 0; corner < 4; ++corner)
            EXPECT_EQ(read.normals[back.normalCorners[corner]],
                      object.mesh.normals[written.normalCorners[corner]])
                << p << " " << corner;
    }
    EXPECT_EQ(read.polygons[1].textureCorners.size(), 4u);  // the UV map is still beside them
}

// A point's value in the VMAP is every polygon's there that the VMAD does not name, so a polygon
// without values must not share a point that has one: its corners would all read back with
// values it never had. Its neighbour's corners there go into the VMAD instead.
TEST(Lwo2CornerMap, APolygonWithoutValuesGainsNoneFromItsNeighbours) {
    ObjectFile object = SeamedQuads();
    object.mesh.normals = {{0, 0, 1}};
    object.mesh.polygons[0].normalCorners = {0, 0, 0, 0};
    object.mesh.polygons[0].textureCorners.clear();
    // A triangle without values on points 0, 1 and 4, all of them the left quad's.
    MeshPolygon triangle;
    triangle.points = {1, 4, 0};
    object.mesh.polygons.push_back(triangle);
    MeshData read = ParseLwo2(EncodeLwo2(object, "mixed.lwo"), "mixed.lwo").mesh;
    ASSERT_EQ(read.polygons.size(), 3u);
    EXPECT_EQ(read.polygons[0].normalCorners.size(), 4u);
    EXPECT_TRUE(read.polygons[0].textureCorners.empty());
    EXPECT_TRUE(read.polygons[1].normalCorners.empty());
    EXPECT_EQ(read.polygons[1].textureCorners.size(), 4u);
    EXPECT_TRUE(read.polygons[2].normalCorners.empty());
    EXPECT_TRUE(read.polygons[2].textureCorners.empty());
    for (int corner : read.polygons[0].normalCorners)
        EXPECT_EQ(read.normals[corner], (std::array<float, 3>{0, 0, 1}));
}

// When every point a polygon with coordinates uses is also used by one without, the VMAP holds no
// point; it is still written, empty, as it is what names the UV map its VMAD entries belong to.
TEST(Lwo2CornerMap, CornersWithNoPointOfTheirOwnStillReadBack) {
    ObjectFile object;
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    object.mesh.textureCoordinates = {{0, 0}, {1, 0}, {0, 1}};
    MeshPolygon mapped, bare;
    mapped.points = bare.points = {0, 1, 2};
    mapped.textureCorners = {0, 1, 2};
    object.mesh.polygons = {mapped, bare};
    MeshData read = ParseLwo2(EncodeLwo2(object, "covered.lwo"), "covered.lwo").mesh;
    ASSERT_EQ(read.polygons.size(), 2u);
    ASSERT_EQ(read.polygons[0].textureCorners.size(), 3u);
    for (std::size_t corner = 0; corner < 3; ++corner)
        EXPECT_EQ(read.textureCoordinates[read.polygons[0].textureCorners[corner]],
                  object.mesh.textureCoordinates[corner]);
    EXPECT_TRUE(read.polygons[1].textureCorners.empty());
}

// A VMAD entry is a point of a polygon: a triangle that uses point 1 twice keeps the value of its
// first corner there for both, and the loss is told.
TEST(Lwo2CornerMap, APointUsedTwiceKeepsItsFirstCornersValue) {
    ObjectFile object;
    object.mesh.points = {{0, 0, 0}, {1, 0, 0}};
    object.mesh.textureCoordinates = {{0, 0}, {1, 0}, {0, 1}};
    MeshPolygon triangle;
    triangle.points = {0, 1, 1};
    triangle.textureCorners = {0, 1, 2};
    object.mesh.polygons = {triangle};
    MeshData read = ParseLwo2(EncodeLwo2(object, "twice.lwo"), "twice.lwo").mesh;
    ASSERT_EQ(read.polygons[0].textureCorners.size(), 3u);
    for (int corner : {1, 2})
        EXPECT_EQ(read.textureCoordinates[read.polygons[0].textureCorners[corner]],
                  (std::array<float, 2>{1, 0}));
    EXPECT_EQ(CornerValuesLwo2CannotKeep(object.mesh),
              std::vector<std::string>{"texture coordinates of 1 corner repeating a point of "
                                       "their polygon with another value (LWO2 keeps one per "
                                       "point of a polygon)"});
    object.mesh.textureCoordinates[2] = {1, 0};
    EXPECT_TRUE(CornerValuesLwo2CannotKeep(object.mesh).empty());
}

TEST(Lwo2CornerMap, NormalCornersThatDoNotFitTheNormalsAreRefused) {
    ObjectFile object = SeamedQuads();
    object.mesh.normals = {{0, 0, 1}};
    object.mesh.polygons[0].normalCorners = {0, 0, 1, 0};
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "bad.lwo"); }),
              "bad.lwo: polygon 0: normal index 1 out of range (1 normals)");
}

}  // namespace
