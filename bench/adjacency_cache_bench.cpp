// Cache build time against polygon count, and the per-sample smoothing over a built cache, each
// for the module's flat table and, as baselines in the same run, the node-per-point hashed and
// ordered maps.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "bench/bench_meshes.h"
#include "bench/hashed_adjacency_cache.h"
#include "bench/ordered_adjacency_cache.h"
#include "host/scene/scene_ids.h"
#include "host/services/mesh_accessor.h"
#include "shader/adjacency_cache.h"
#include "shader/slot_smoothing.h"

namespace {

template <typename Cache>
void CacheBuild(benchmark::State &state) {
    const MeshData &mesh = GridFile(static_cast<int>(state.range(0)))->mesh;
    MeshAccessLedger ledger;
    MeshCorners corners(mesh);
    LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
    for (auto _ : state) {
        auto cache = std::make_unique<Cache>(nullptr);
        cache->build(*accessor);
        benchmark::DoNotOptimize(cache->pointCount());
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
    accessor->destroy(accessor);
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The host's share of a build: the two scans with every corner's point asked for, and nothing
// kept. What a table's build costs beyond this is its own.
void HostScans(benchmark::State &state) {
    const MeshData &mesh = GridFile(static_cast<int>(state.range(0)))->mesh;
    MeshAccessLedger ledger;
    MeshCorners corners(mesh);
    LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
    auto visit = [](void *context, LWPolID polygon) -> std::size_t {
        auto &[accessor, sum] = *static_cast<std::pair<LWMeshInfo *, std::uintptr_t> *>(context);
        int size = accessor->polSize(accessor, polygon);
        for (int corner = 0; corner < size; ++corner)
            sum += reinterpret_cast<std::uintptr_t>(accessor->polVertex(accessor, polygon, corner));
        return 0;
    };
    for (auto _ : state) {
        std::pair<LWMeshInfo *, std::uintptr_t> scan{accessor, 0};
        for (int pass = 0; pass < 2; ++pass) accessor->scanPolys(accessor, visit, &scan);
        benchmark::DoNotOptimize(scan.second);
    }
    accessor->destroy(accessor);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <typename Cache>
void SlotSmoothing(benchmark::State &state) {
    ObjectItem item{"Grid", GridFile(static_cast<int>(state.range(0)))};
    MeshAccessLedger ledger;
    MeshCorners corners(item.file->mesh);
    LWMeshInfo *accessor = OpenMeshAccessor(corners, ledger);
    Cache cache(nullptr);
    cache.build(*accessor);
    std::vector<render::ShadingRecord> samples = SpreadSamples(item, 1 << 14, SampleOrder::random);
    std::size_t next = 0;
    for (auto _ : state) {
        const render::ShadingRecord &sample = samples[next++ % samples.size()];
        benchmark::DoNotOptimize(SmoothOverSlots(*accessor, cache, sample.access(), 1.0, 0));
    }
    accessor->destroy(accessor);
    state.SetItemsProcessed(state.iterations());
}

void Sizes(benchmark::internal::Benchmark *benchmark) {
    for (int polygons : {10'000, 30'000, 100'000, 300'000, 1'000'000}) benchmark->Arg(polygons);
}

BENCHMARK(CacheBuild<AdjacencyCache>)
    ->Name("CacheBuild/flat")
    ->Apply(Sizes)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CacheBuild<HashedAdjacencyCache>)
    ->Name("CacheBuild/hashed")
    ->Apply(Sizes)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(CacheBuild<OrderedAdjacencyCache>)
    ->Name("CacheBuild/ordered")
    ->Apply(Sizes)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(HostScans)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(SlotSmoothing<AdjacencyCache>)
    ->Name("SlotSmoothing/flat")
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000);
BENCHMARK(SlotSmoothing<HashedAdjacencyCache>)
    ->Name("SlotSmoothing/hashed")
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000);
BENCHMARK(SlotSmoothing<OrderedAdjacencyCache>)
    ->Name("SlotSmoothing/ordered")
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000);

}  // namespace
