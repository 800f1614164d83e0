// Proposing polygon sets for a 1M-quad torus against reading it: each iteration reads the torus
// from OBJ text on every core, then proposes its sets from its shape and from normals it
// carries, so that the counters give each proposal's time as a share of the reading's, and the
// most memory each proposal holds at once as a share of the mesh's.
//
// Memory is counted by this program's own operator new (bench/heap_bytes.h): the mesh's share is
// what the read object holds once read (for the normals proposal, once given its normals); a
// proposal's is the most it holds at once above what was held when it began, its result included.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/bench_meshes.h"
#include "bench/heap_bytes.h"
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

// The most bytes `work` holds at once beyond those held when it begins.
template <typename Work>
double PeakBytesOf(Work &&work) {
    std::size_t before = HeapBytesHeld();
    ResetHeapPeak();
    work();
    return double(HeapPeak() - before);
}

void ProposeSetsAgainstReading(benchmark::State &state) {
    const std::string &text = TorusObjText();  // made once, before any reading is timed
    double reading = 0, shape = 0, normals = 0;
    double shapeMemory = 0, normalsMemory = 0;
    std::size_t polygons = 0;
    for (auto _ : state) {
        ObjectFile object;
        std::size_t empty = HeapBytesHeld();
        reading += SecondsOf([&] { object = ParseObj(text, "torus.obj"); });
        polygons = object.mesh.polygons.size();
        double meshBytes = double(HeapBytesHeld() - empty);
        double peak = PeakBytesOf([&] {
            shape += SecondsOf(
                [&] { benchmark::DoNotOptimize(ProposeSetsFromShape(object.mesh).sets.size()); });
        });
        shapeMemory = std::max(shapeMemory, peak / meshBytes);
        state.PauseTiming();
        AuthorNormals(object.mesh, 89.5);
        meshBytes = double(HeapBytesHeld() - empty);
        state.ResumeTiming();
        peak = PeakBytesOf([&] {
            normals += SecondsOf(
                [&] { benchmark::DoNotOptimize(ProposeSetsFromNormals(object.mesh).sets.size()); });
        });
        normalsMemory = std::max(normalsMemory, peak / meshBytes);
    }
    state.counters["polygons"] = double(polygons);
    state.counters["read_s"] = reading / state.iterations();
    state.counters["shape_per_read"] = shape / reading;
    state.counters["normals_per_read"] = normals / reading;
    state.counters["shape_memory_per_mesh"] = shapeMemory;
    state.counters["normals_memory_per_mesh"] = normalsMemory;
}

BENCHMARK(ProposeSetsAgainstReading)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
