// Cost of the commands on objects of many polygon sets: N one-quad sets in one surface, each with
// a --set request, as `velmora parts`, `normals` and `apply` run them through the real module
// file. The counters split each run into taking the requests (one dialog session) and the
// command's own output. Growth from 1,000 to 16,000 sets should stay near N log N: x4.8 for each
// fourfold step. `apply` stops at 2,500 sets, the most an object file's shader block can hold.
#include <benchmark/benchmark.h>

#include <chrono>

#include "host/scene/mesh_generators.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "host/session/shader_blocks.h"
#include "tools/velmora/corner_normals.h"
#include "tools/velmora/parts_report.h"

namespace {

using Clock = std::chrono::steady_clock;

Scene OneQuadSets(int count) {
    MeshData mesh;
    for (int set = 0; set < count; ++set) {
        MeshData quad = MakeGrid(1, 1, {"Metal", "Set " + std::to_string(set)});
        for (auto &point : quad.points) point[0] += static_cast<float>(2 * set);
        AppendMesh(mesh, quad);
    }
    Scene scene;
    scene.items.push_back({"Sets", MakeObjectFile("sets.lwo", std::move(mesh))});
    return scene;
}

std::vector<SetRequest> RequestForEachSet(int count) {
    std::vector<SetRequest> requests;
    for (int set = 0; set < count; ++set)
        requests.push_back({"Set " + std::to_string(set), 30.0 + set % 60, set % 2 == 0, true});
    return requests;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

enum Command { Parts, Normals, Apply };

void RunCommand(benchmark::State &state, Command command) {
    const int count = static_cast<int>(state.range(0));
    const Scene scene = OneQuadSets(count);
    const std::vector<SetRequest> requests = RequestForEachSet(count);
    double requestSeconds = 0, outputSeconds = 0;
    for (auto _ : state) {
        HostSession session(scene, VELMORA_MODULE);
        const ObjectItem &item = session.scene().items.front();
        Clock::time_point start = Clock::now();
        ApplySetRequests(session, *item.file, requests, {});
        requestSeconds += SecondsSince(start);
        start = Clock::now();
        const geometry::SmoothingAngles smoothing = geometry::SurfaceSmoothing(*item.file);
        if (command == Parts)
            benchmark::DoNotOptimize(PartsReport(session, *item.file, smoothing).size());
        else if (command == Normals)
            benchmark::DoNotOptimize(
                SampleCornerNormals(item, session.hooksOf(*item.file), smoothing, 1).size());
        else
            benchmark::DoNotOptimize(ShaderBlocksWithSettings(session, *item.file).size());
        outputSeconds += SecondsSince(start);
    }
    double runs = static_cast<double>(state.iterations());
    state.counters["requests_s"] = requestSeconds / runs;
    state.counters["output_s"] = outputSeconds / runs;
    state.SetComplexityN(count);
}

void SetsParts(benchmark::State &state) {
    RunCommand(state, Parts);
}
void SetsNormals(benchmark::State &state) {
    RunCommand(state, Normals);
}
void SetsApply(benchmark::State &state) {
    RunCommand(state, Apply);
}

#define SET_COUNTS(name)                \
    BENCHMARK(name)                     \
        ->ArgName("sets")               \
        ->Arg(1000)                     \
        ->Arg(4000)                     \
        ->Arg(16000)                    \
        ->Unit(benchmark::kMillisecond) \
        ->UseRealTime()                 \
        ->Iterations(1)                 \
        ->Complexity(benchmark::oNLogN)

SET_COUNTS(SetsParts);
SET_COUNTS(SetsNormals);
// An object file's shader block holds at most 65,535 bytes: about 2,500 sets of these names.
BENCHMARK(SetsApply)
    ->ArgName("sets")
    ->Arg(625)
    ->Arg(1250)
    ->Arg(2500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Complexity(benchmark::oNLogN);

}  // namespace
