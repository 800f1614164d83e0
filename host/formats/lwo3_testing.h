// For tests: an object as a host saves it in LWO3, written with the IFF writer. One layer; each
// run of polygons of one type in its POLS chunk with its SURF and PART tags; each surface a FORM
// SURF with its header, its SMAN when the object smooths it, and an empty node graph as current
// hosts add. Shader blocks are not written: their LWO3 form is not publicly known.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/formats/iff_writer.h"
#include "host/formats/lwo2_ids.h"
#include "host/formats/lwo2_writer.h"
#include "host/scene/scene.h"

inline std::vector<std::uint8_t> Lwo3Bytes(const ObjectFile &object) {
    std::vector<std::string> tags;
    std::map<std::string, std::uint16_t> tagIndex;
    auto add = [&](const std::string &tag) {
        if (tagIndex.emplace(tag, std::uint16_t(tags.size())).second) tags.push_back(tag);
    };
    for (const std::string &surface : object.surfaces) add(surface);
    for (const MeshPolygon &polygon : object.mesh.polygons)
        if (polygon.part) add(*polygon.part);

    IffWriter out;
    out.beginChunk(kFormId);
    out.id4(LWID_('L', 'W', 'O', '3'));
    out.beginChunk(kTagsId);
    for (const std::string &tag : tags) out.s0(tag);
    out.end();
    WriteLayerWithPoints(out, object.mesh);
    const auto &polygons = object.mesh.polygons;
    for (std::size_t start = 0, end = 0; start < polygons.size(); start = end) {
        while (end < polygons.size() && polygons[end].type == polygons[start].type) ++end;
        out.beginChunk(kPolsId);
        out.id4(polygons[start].type);
        for (std::size_t p = start; p < end; ++p) {
            out.u2(std::uint16_t(polygons[p].points.size()));
            for (int point : polygons[p].points) out.vx(std::uint32_t(point));
        }
        out.end();
        for (LWID type : {kSurfId, kPartId}) {
            out.beginChunk(kPtagId);
            out.id4(type);
            for (std::size_t p = start; p < end; ++p) {
                const auto &tag = type == kSurfId ? polygons[p].surface : polygons[p].part;
                if (!tag) continue;
                out.vx(std::uint32_t(p - start));
                out.u2(tagIndex.at(*tag));
            }
            out.end();
        }
    }
    for (const std::string &surface : object.surfaces) {
        out.beginChunk(kFormId);
        out.id4(kSurfId);
        out.beginChunk(LWID_(' ', ' ', ' ', ' '));
        out.s0(surface);
        out.s0("");
        out.end();
        if (auto angle = object.smoothing.find(surface); angle != object.smoothing.end()) {
            out.beginChunk(kSmanId);
            out.f4(angle->second);
            out.end();
        }
        out.beginChunk(kFormId);
        out.id4(LWID_('N', 'O', 'D', 'S'));
        out.end();
        out.end();
    }
    out.end();
    return out.take();
}
