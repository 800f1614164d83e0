// Frame time of a preview render at 1280x720 with 4 samples per pixel, split into ray casting,
// the host's shading and the time inside the shader's evaluate. Stage counters are seconds of
// one further frame, timed apart, summed over the render threads; `..._share` is that stage's
// part of their sum.
//
// Shaders: none (the host alone), a trivial one that normalises wNorm (the cost of the call and
// the record), and the module's own evaluate smoothing both polygon sets.
#include <benchmark/benchmark.h>

#include <numbers>

#include "host/render/renderer.h"
#include "host/scene/mesh_generators.h"
#include "plugin_tests/linked_module.h"

namespace {

using namespace render;
using geometry::FromArray;
using geometry::Normalize;
using geometry::ToArray;
using geometry::Vec3;

enum ShaderKind { NoShader, Normalising, Module };

void NormaliseNormal(LWInstance, LWShaderAccess *record) {
    Vec3 normal = Normalize(FromArray(record->wNorm));
    ToArray(normal, record->wNorm);
}

LWShaderHandler normaliser{nullptr, nullptr, nullptr, &NormaliseNormal, nullptr};

// About 18 000 polygons: quads, with triangles at the poles.
Scene BenchScene() {
    return {{MakeObjectItem("sphere", MakeTwoSetSphere(96, 192, 1))}};
}

void ReportStages(benchmark::State &state, const StageTimes &stages) {
    double total = stages.rayCasting + stages.hostShading + stages.shader;
    state.counters["ray_casting_s"] = stages.rayCasting;
    state.counters["host_shading_s"] = stages.hostShading;
    state.counters["shader_s"] = stages.shader;
    state.counters["ray_casting_share"] = stages.rayCasting / total;
    state.counters["host_shading_share"] = stages.hostShading / total;
    state.counters["shader_share"] = stages.shader / total;
}

void RenderFrame(benchmark::State &state) {
    RenderSettings settings;
    settings.width = 1280;
    settings.height = 720;
    settings.samplesPerPixel = 4;
    settings.threads = static_cast<int>(state.range(0));
    auto kind = static_cast<ShaderKind>(state.range(1));

    LinkedSession host(BenchScene());
    ShaderHooks hooks;
    if (kind == Normalising) hooks["Body"] = {&normaliser, nullptr};
    if (kind == Module) {
        LWInstance instance = host.create();
        AddSet(host, instance, "north", 60 * std::numbers::pi / 180);
        AddSet(host, instance, "south", 60 * std::numbers::pi / 180);
        hooks["Body"] = {&host.handler(), instance};
    }
    const ObjectItem &item = host.scene().items[0];

    for (auto _ : state) {
        Frame frame = Render(item, settings, hooks);
        benchmark::DoNotOptimize(frame.shaded.pixels.data());
    }
    // The stages of one more frame, outside the timed ones: their clock reads are not free.
    settings.timeStages = true;
    ReportStages(state, Render(item, settings, hooks).times);
}

BENCHMARK(RenderFrame)
    ->ArgNames({"threads", "shader"})
    ->ArgsProduct({{1, 2}, {NoShader, Normalising, Module}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace
