// For tests: an LWO2 object whose authored normals come in a normal map, as a modeller saves
// normals brought in from another package. A unit square of two triangles lies in the xy plane,
// and a triangle folds up from its top edge; the map's VMAP gives the square's points the
// square's normal (0, 0, 1) and the fold's tip the fold's (0, -1, 0), and its VMAD gives the
// fold's corners on the shared edge their own, so that the fold is a hard edge of the normals.
// The chunks of a TXUV map sit beside the normal map's and must not be confused with them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"

namespace lwo2_fixtures {

inline void NormalMapHeader(IffWriter &out, LWID kind, LWID type, const char *name) {
    out.beginChunk(kind);
    out.id4(type);
    out.u2(type == kNormId ? 3 : 2);
    out.s0(name);
}

inline void NormalEntry(IffWriter &out, std::array<float, 3> normal) {
    for (float component : normal) out.f4(component);
}

inline std::vector<std::uint8_t> FoldWithNormalMap() {
    constexpr std::array<float, 3> kSquare = {0, 0, 1}, kFold = {0, -1, 0};
    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(kLwo2Id);
    out.beginChunk(kTagsId);
    out.s0("Body");
    out.end();
    out.beginChunk(kLayrId);
    out.u2(0);
    out.u2(0);
    for (int axis = 0; axis < 3; ++axis) out.f4(0);
    out.s0("");
    out.end();
    out.beginChunk(kPntsId);
    for (std::array<float, 3> point :
         {std::array<float, 3>{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 1, 1}})
        for (float coordinate : point) out.f4(coordinate);
    out.end();
    NormalMapHeader(out, kVmapId, kTxuvId, "UVMap");
    for (std::uint32_t point = 0; point < 5; ++point) {
        out.vx(point);
        out.f4(0.5f);
        out.f4(0.5f);
    }
    out.end();
    NormalMapHeader(out, kVmapId, kNormId, "Normals");
    for (std::uint32_t point = 0; point < 5; ++point) {
        out.vx(point);
        NormalEntry(out, point == 4 ? kFold : kSquare);
    }
    out.end();
    out.beginChunk(kPolsId);
    out.id4(kFaceId);
    for (std::array<std::uint32_t, 3> triangle :
         {std::array<std::uint32_t, 3>{0, 1, 2}, {0, 2, 3}, {3, 2, 4}}) {
        out.u2(3);
        for (std::uint32_t point : triangle) out.vx(point);
    }
    out.end();
    out.beginChunk(kPtagId);
    out.id4(kSurfId);
    for (std::uint32_t polygon = 0; polygon < 3; ++polygon) {
        out.vx(polygon);
        out.u2(0);
    }
    out.end();
    NormalMapHeader(out, kVmadId, kNormId, "Normals");
    for (std::uint32_t point : {3u, 2u}) {
        out.vx(point);
        out.vx(2);
        NormalEntry(out, kFold);
    }
    out.end();
    out.beginChunk(kSurfId);
    out.s0("Body");
    out.s0("");
    out.end();
    out.end();
    return out.take();
}

}  // namespace lwo2_fixtures
