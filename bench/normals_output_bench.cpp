// Writing the normals of a million gently waved quads: the glb writer against the OBJ writer on
// the same blocks of normals, each to a file of its own. The `bytes` counter is the file's size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

#include "host/formats/glb_writer.h"
#include "host/formats/obj_writer.h"
#include "host/scene/host_normals.h"
#include "host/scene/mesh_generators.h"

namespace {

struct WavedGrid {
    ObjectFile object;
    std::vector<CornerBlock> blocks;
};

// Blocks of 16,384 polygons, as the command hands them out, of the host's smoothed normals.
const WavedGrid &Grid() {
    static const WavedGrid grid = [] {
        WavedGrid made;
        made.object.filename = "grid";
        made.object.surfaces = {"Sheet"};
        made.object.mesh = MakeGrid(1000, 1000, {.surface = "Sheet", .part = "Lower"});
        for (auto &point : made.object.mesh.points)
            point[2] = 0.05f * std::sin(point[0] * 300) * std::cos(point[1] * 200);
        geometry::SmoothingAngles angles{60, {}};
        geometry::HostNormals normals = geometry::ComputeHostNormals(made.object.mesh, angles);
        const auto &polygons = made.object.mesh.polygons;
        for (std::size_t first = 0; first < polygons.size(); first += 1 << 14) {
            CornerBlock &block = made.blocks.emplace_back();
            block.firstPolygon = first;
            block.endPolygon = std::min(polygons.size(), first + (1 << 14));
            block.normals.assign(normals.corner.begin() + normals.firstCorner[first],
                                 normals.corner.begin() + normals.firstCorner[block.endPolygon]);
        }
        return made;
    }();
    return grid;
}

template <typename Write>
void WriteGrid(benchmark::State &state, Write write) {
    const WavedGrid &grid = Grid();
    std::FILE *file = std::tmpfile();
    for (auto _ : state) {
        std::rewind(file);
        std::size_t next = 0;
        write(file, grid.object, [&]() -> const CornerBlock * {
            return next < grid.blocks.size() ? &grid.blocks[next++] : nullptr;
        });
        std::fflush(file);
    }
    state.counters["bytes"] = double(std::ftell(file));
    std::fclose(file);
}

void NormalsObj(benchmark::State &state) {
    WriteGrid(state, [](std::FILE *out, const ObjectFile &object, const NextCornerBlock &next) {
        WriteObj(out, object, next);
    });
}
BENCHMARK(NormalsObj)->Unit(benchmark::kMillisecond)->UseRealTime();

void NormalsGlb(benchmark::State &state) {
    WriteGrid(state, [](std::FILE *out, const ObjectFile &object, const NextCornerBlock &next) {
        WriteGlb(out, object, next);
    });
}
BENCHMARK(NormalsGlb)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
