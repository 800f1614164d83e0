// Samples per second through the handler's evaluate, the stand-in host's accessors and the lock,
// with the object's cache already built, as it is for all but the first sample of a render. As
// a renderer does, each thread fills one shading record per sample: thousands of 2 KB records
// taken in turn would make every sample wait for its own record to come from memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/bench_meshes.h"
#include "plugin_tests/linked_module.h"

namespace {

constexpr int SampleCount = 1 << 14;

// What the host writes into its shading record for one sample.
struct SampleFields {
    explicit SampleFields(const LWShaderAccess &from)
        : objID(from.objID), polygon(from.polygon), polNum(from.polNum) {
        std::copy_n(from.verts, 4, verts);
        std::copy_n(from.weights, 4, weights);
        std::copy_n(from.gNorm, 3, gNorm);
        std::copy_n(from.wNorm, 3, wNorm);
        std::copy_n(from.wNorm0, 3, wNorm0);
    }
    void fill(LWShaderAccess &record) const {
        record.objID = objID;
        record.polygon = polygon;
        record.polNum = polNum;
        std::copy_n(verts, 4, record.verts);
        std::copy_n(weights, 4, record.weights);
        std::copy_n(gNorm, 3, record.gNorm);
        std::copy_n(wNorm, 3, record.wNorm);
        std::copy_n(wNorm0, 3, record.wNorm0);
    }

    LWItemID objID;
    LWPolID polygon;
    int polNum;
    LWPntID verts[4];
    float weights[4];
    double gNorm[3], wNorm[3], wNorm0[3];
};

// How many host calls of each kind one sample makes, on average over a pass of the module.
struct CallsPerSample {
    long accessors = 0, polTag = 0, polSize = 0, polVertex = 0, pntOtherPos = 0;
};

struct ShadingWorld {
    ShadingWorld(int polygons, SampleOrder order)
        : polygons(polygons), order(order), host(Scene{{{"Grid", GridFile(polygons)}}}) {
        instance = host.create();
        AddSet(host, instance, "grid", 1.0);
        for (const render::ShadingRecord &sample :
             SpreadSamples(host.scene().items[0], SampleCount, order))
            samples.emplace_back(sample.access());
        render::ShadingRecord warm;
        samples[0].fill(warm.access());
        host.shade(instance, warm);
        calls = CountCalls();
    }

    CallsPerSample CountCalls() {
        MeshAccessLedger &ledger = host.objectInfoService().ledger();
        ledger.reset();
        render::ShadingRecord record;
        for (const SampleFields &sample : samples) {
            sample.fill(record.access());
            host.shade(instance, record);
        }
        MeshAccessTotals totals = ledger.totals();
        auto perSample = [](long total) {
            return (total + SampleCount / 2) / static_cast<long>(SampleCount);
        };
        return {perSample(totals.obtained), perSample(totals[MeshCall::polTag]),
                perSample(totals[MeshCall::polSize]), perSample(totals[MeshCall::polVertex]),
                perSample(totals[MeshCall::pntOtherPos])};
    }

    int polygons;
    SampleOrder order;
    LinkedSession host;
    LWInstance instance;
    std::vector<SampleFields> samples;
    CallsPerSample calls;
};

// Made on first use, so that it goes at exit before the module's objects it ends a render in.
std::unique_ptr<ShadingWorld> &World() {
    static std::unique_ptr<ShadingWorld> world;
    return world;
}

ShadingWorld &WorldOf(int polygons, SampleOrder order) {
    std::unique_ptr<ShadingWorld> &world = World();
    if (!world || world->polygons != polygons || world->order != order) {
        world.reset();
        world = std::make_unique<ShadingWorld>(polygons, order);
    }
    return *world;
}

template <SampleOrder Order>
void Evaluate(benchmark::State &state) {
    // Made by the first thread before any thread enters the loop.
    if (state.thread_index() == 0) WorldOf(static_cast<int>(state.range(0)), Order);
    ShadingWorld &shading = *World();
    const std::vector<SampleFields> &samples = shading.samples;
    render::ShadingRecord record;
    std::size_t next = static_cast<std::size_t>(state.thread_index()) * 7919;
    for (auto _ : state) {
        samples[next++ % samples.size()].fill(record.access());
        shading.host.shade(shading.instance, record);
        benchmark::DoNotOptimize(record->wNorm[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

// The host calls of a sample made alone, as many of each kind as the module makes, on the
// sample's own polygon and slot points: what no module can go below while the host answers as
// it does. Its neighbours' points lie near those of its slots, so this is if anything cheaper.
template <SampleOrder Order>
void HostCallsAlone(benchmark::State &state) {
    ShadingWorld &shading = WorldOf(static_cast<int>(state.range(0)), Order);
    const CallsPerSample &calls = shading.calls;
    LWObjectInfo &objectInfo = *shading.host.objectInfoService().record();
    std::size_t next = 0;
    for (auto _ : state) {
        const SampleFields &sample = shading.samples[next++ % shading.samples.size()];
        LWMeshInfo *first = objectInfo.meshInfo(sample.objID, 1);
        for (long call = 0; call < calls.polTag; ++call)
            benchmark::DoNotOptimize(first->polTag(first, sample.polygon, LWPTAG_PART));
        for (long call = 0; call < calls.polSize; ++call)
            benchmark::DoNotOptimize(first->polSize(first, sample.polygon));
        for (long call = 0; call < calls.polVertex; ++call)
            benchmark::DoNotOptimize(first->polVertex(first, sample.polygon, call % 4));
        float position[3];
        for (long call = 0; call < calls.pntOtherPos; ++call) {
            first->pntOtherPos(first, sample.verts[call % 4], position);
            benchmark::DoNotOptimize(position[0]);
        }
        for (long other = 1; other < calls.accessors; ++other) {
            LWMeshInfo *more = objectInfo.meshInfo(sample.objID, 1);
            more->destroy(more);
        }
        first->destroy(first);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["calls"] = static_cast<double>(
        calls.accessors * 2 + calls.polTag + calls.polSize + calls.polVertex + calls.pntOtherPos);
}

void GridSizes(benchmark::internal::Benchmark *benchmark) {
    benchmark->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
}

BENCHMARK(HostCallsAlone<SampleOrder::random>)->Name("HostCallsAlone/random")->Apply(GridSizes);
BENCHMARK(HostCallsAlone<SampleOrder::sweep>)->Name("HostCallsAlone/sweep")->Apply(GridSizes);
BENCHMARK(Evaluate<SampleOrder::random>)->Name("Evaluate/random")->Apply(GridSizes);
BENCHMARK(Evaluate<SampleOrder::sweep>)->Name("Evaluate/sweep")->Apply(GridSizes);
BENCHMARK(Evaluate<SampleOrder::random>)
    ->Name("EvaluateThreads/random")
    ->Arg(100'000)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();
BENCHMARK(Evaluate<SampleOrder::sweep>)
    ->Name("EvaluateThreads/sweep")
    ->Arg(100'000)
    ->Threads(1)
    ->Threads(2)
    ->UseRealTime();

}  // namespace
