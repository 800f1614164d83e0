// Proposing polygon sets for a 1M-quad torus against reading it: each iteration reads the torus
// from OBJ text on every core, then proposes its sets from its shape and from normals it
// carries, so that the counters give each proposal's time as a share of the reading's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/bench_meshes.h"
#include "host/formats/obj_reader.h"
#include "sets/authored_normals_testing.h"
#include "sets/normals_proposal.h"
#include "sets/shape_proposal.h"

namespace {

template <typename Work>
double SecondsOf(Work &&work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ProposeSetsAgainstReading(benchmark::State &state) {
    double reading = 0, shape = 0, normals = 0;
    std::size_t polygons = 0;
    for (auto _ : state) {
        ObjectFile object;
        reading += SecondsOf([&] { object = ParseObj(TorusObjText(), "torus.obj"); });
        polygons = object.mesh.polygons.size();
        shape += SecondsOf(
            [&] { benchmark::DoNotOptimize(ProposeSetsFromShape(object.mesh).sets.size()); });
        state.PauseTiming();
        AuthorNormals(object.mesh, 89.5);
        state.ResumeTiming();
        normals += SecondsOf(
            [&] { benchmark::DoNotOptimize(ProposeSetsFromNormals(object.mesh).sets.size()); });
    }
    state.counters["polygons"] = double(polygons);
    state.counters["read_s"] = reading / state.iterations();
    state.counters["shape_per_read"] = shape / reading;
    state.counters["normals_per_read"] = normals / reading;
}
BENCHMARK(ProposeSetsAgainstReading)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
