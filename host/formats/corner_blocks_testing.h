// For tests of the writers that take corner normals a block at a time.
#pragma once

#include <cstddef>
#include <vector>

#include "host/formats/corner_normal_block.h"
#include "host/scene/scene.h"

// Hands out `blocks` one after another.
inline NextCornerBlock Handing(const std::vector<CornerBlock> &blocks) {
    return [&blocks, next = std::size_t{0}]() mutable -> const CornerBlock * {
        return next < blocks.size() ? &blocks[next++] : nullptr;
    };
}

// `normals` (and `hostNormals`, when given) of every corner of `mesh`, in blocks that begin at
// polygon 0 and at each of `cuts`.
inline std::vector<CornerBlock> Blocks(const MeshData &mesh,
                                       const std::vector<CornerNormal> &normals,
                                       std::vector<std::size_t> cuts = {},
                                       const std::vector<CornerNormal> &hostNormals = {}) {
    cuts.push_back(mesh.polygons.size());
    std::vector<CornerBlock> blocks;
    std::size_t polygon = 0, corner = 0;
    for (std::size_t end : cuts) {
        CornerBlock &block = blocks.emplace_back();
        block.firstPolygon = polygon;
        for (; polygon < end; ++polygon)
            for (std::size_t c = 0; c < mesh.polygons[polygon].points.size(); ++c, ++corner) {
                block.normals.push_back(normals[corner]);
                if (!hostNormals.empty()) block.hostNormals.push_back(hostNormals[corner]);
            }
        block.endPolygon = end;
    }
    return blocks;
}
