// Samples per second through the handler's evaluate, the stand-in host's accessors and the lock,
// with the object's cache already built, as it is for all but the first sample of a render.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_meshes.h"
#include "plugin_tests/linked_module.h"

namespace {

constexpr int SampleCount = 1 << 14;

struct ShadingWorld {
    ShadingWorld(int polygons, SampleOrder order)
        : polygons(polygons), order(order), host(Scene{{{"Grid", GridFile(polygons)}}}) {
        instance = host.create();
        AddSet(instance, "grid", 1.0);
        samples = SpreadSamples(host.scene().items[0], SampleCount, order);
        render::ShadingRecord warm = samples[0];
        host.shade(instance, warm);
    }
    int polygons;
    SampleOrder order;
    LinkedSession host;
    LWInstance instance;
    std::vector<render::ShadingRecord> samples;
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
    std::vector<render::ShadingRecord> samples =
        shading.samples;  // each thread writes its own records
    std::size_t next = static_cast<std::size_t>(state.thread_index()) * 7919;
    for (auto _ : state) {
        render::ShadingRecord &sample = samples[next++ % samples.size()];
        shading.host.shade(shading.instance, sample);
        benchmark::DoNotOptimize(sample->wNorm[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(Evaluate<SampleOrder::random>)
    ->Name("Evaluate/random")
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000);
BENCHMARK(Evaluate<SampleOrder::sweep>)
    ->Name("Evaluate/sweep")
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000);
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
