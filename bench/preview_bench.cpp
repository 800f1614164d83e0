// Frame time of `velmora render` on the machined-part example at 1280x720 with 4 samples per
// pixel, on one and two threads, split into ray casting, the host's shading and the time inside
// the module's evaluate. The module is the real KV_Velmora.p with the settings stored in the
// object's surface. "host only" renders the same object without the shader: the baseline.
// Stage counters are seconds of one further frame, measured apart from the timed ones, summed
// over the render threads.
#include <benchmark/benchmark.h>

#include "host/render/renderer.h"
#include "host/session/opened_object.h"

namespace {

OpenRequest MachinedPart() {
    OpenRequest request;
    request.object = VELMORA_EXAMPLES_DIR "/machined_part.lwo";
    request.modulePath = VELMORA_MODULE;
    return request;
}

void RenderMachinedPart(benchmark::State &state) {
    render::RenderSettings settings;
    settings.width = 1280;
    settings.height = 720;
    settings.samplesPerPixel = 4;
    settings.compare = false;  // as `velmora render` without --compare
    settings.threads = static_cast<int>(state.range(0));
    bool withModule = state.range(1) != 0;

    OpenedObject part(MachinedPart());
    const ObjectItem &item = part.item();
    render::ShaderHooks hooks =
        withModule ? part.session().hooksOf(part.file()) : render::ShaderHooks{};

    for (auto _ : state) {
        render::Frame frame = render::Render(item, settings, hooks);
        benchmark::DoNotOptimize(frame.shaded.pixels.data());
    }
    // The stages of one more frame, outside the timed ones: their clock reads are not free.
    settings.timeStages = true;
    render::StageTimes stages = render::Render(item, settings, hooks).times;
    state.counters["ray_casting_s"] = stages.rayCasting;
    state.counters["host_shading_s"] = stages.hostShading;
    state.counters["evaluate_s"] = stages.shader;
    state.SetLabel(withModule ? "KV_Velmora" : "host only");
}

BENCHMARK(RenderMachinedPart)
    ->ArgNames({"threads", "module"})
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
