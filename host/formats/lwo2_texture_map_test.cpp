#include "host/formats/lwo2_texture_map.h"

#include <gtest/gtest.h>

#include <tuple>

#include "host/formats/format_error_testing.h"
#include "host/formats/lwo2_ids.h"
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
        EXPECT_EQ(chunk.s0(), Lwo2TextureMap::Name);
        std::vector<Entry> &entries = point ? maps.points : maps.seamsByRun.emplace_back();
        while (!chunk.atEnd()) {
            std::uint32_t at = chunk.vx(), polygon = seam ? chunk.vx() : 0;
            float u = chunk.f4(), v = chunk.f4();
            entries.emplace_back(at, polygon, u, v);
        }
    });
    return maps;
}

TEST(Lwo2TextureMap, PointsTakeTheirFirstCornerAndSeamsFollowTheirPolygons) {
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
TEST(Lwo2TextureMap, EachRunOfPolygonsHasItsOwnSeams) {
    ObjectFile object = SeamedQuads();
    MeshPolygon curve = object.mesh.polygons[1];
    curve.type = LWID_('C', 'U', 'R', 'V');
    object.mesh.polygons = {object.mesh.polygons[0], curve, object.mesh.polygons[1]};
    WrittenMaps maps = MapsOf(object);
    ASSERT_EQ(maps.seamsByRun.size(), 2u);
    EXPECT_EQ(maps.seamsByRun[0], (std::vector<Entry>{{4, 0, 0.75f, 1}}));
    EXPECT_EQ(maps.seamsByRun[1], (std::vector<Entry>{{4, 0, 0.75f, 1}}));
}

TEST(Lwo2TextureMap, AnObjectWithoutCoordinatesHasNoMaps) {
    ObjectFile object = SeamedQuads();
    object.mesh.textureCoordinates.clear();
    for (MeshPolygon &polygon : object.mesh.polygons) polygon.textureCorners.clear();
    EXPECT_EQ(MapsOf(object).order, (std::vector<LWID>{kPntsId, kPolsId}));
}

TEST(Lwo2TextureMap, CornersThatDoNotFitTheCoordinatesAreRefused) {
    ObjectFile object = SeamedQuads();
    object.mesh.polygons[1].textureCorners = {4, 5, 6};
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "bad.lwo"); }),
              "bad.lwo: polygon 1 has 3 texture corners for its 4 points");
    object.mesh.polygons[1].textureCorners = {4, 5, 6, 8};
    EXPECT_EQ(FormatErrorOf([&] { EncodeLwo2(object, "bad.lwo"); }),
              "bad.lwo: polygon 1: texture coordinate index 8 out of range (8 coordinates)");
}

}  // namespace
