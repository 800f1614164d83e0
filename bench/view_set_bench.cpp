// Latency of POST /api/set on the server's side: a 100,000-quad torus in eight equal sets, one
// set's angle changed back and forth, the request's body read, the edit worked through the
// module's dialog, the corners at the set's points sampled again within the render the view
// holds, and the answer written as JSON. The baseline samples every corner of the object once,
// as the view does when it opens: the edit should cost a fraction of it, about an eighth plus
// the dialog's work.
#include <benchmark/benchmark.h>

#include "host/for_each_on_threads.h"
#include "host/scene/mesh_generators.h"
#include "host/session/host_session.h"
#include "host/session/scripted_set_edits.h"
#include "tools/velmora/corner_normals.h"
#include "tools/view/set_edit_json.h"
#include "tools/view/view_object.h"

namespace {

constexpr int Major = 400, Minor = 250, Sets = 8;

Scene Torus() {
    Scene scene;
    auto file = MakeObjectFile("Torus.lwo", MakeTorus(Major, Minor, Sets));
    file->surfaces = {"Default", "Other"};
    scene.items.push_back({"Torus", file});
    return scene;
}

const geometry::SmoothingAngles HostSmoothing{60, {}};

void ViewSetEdit(benchmark::State &state) {
    HostSession session(Torus(), VELMORA_MODULE);
    ViewObject object(session, HostSmoothing, Cores());
    bool flat = false;
    std::size_t changed = 0;
    for (auto _ : state) {
        flat = !flat;
        std::string body = std::string(R"({"surface":"Default","set":"band2","enabled":true,)") +
                           (flat ? R"("angle":0})" : R"("angle":80})");
        nlohmann::json answer = object.edit(ReadSetEdit(body));
        changed = answer["corners"].size();
        benchmark::DoNotOptimize(answer.dump().size());
    }
    state.counters["polygons"] = Major * Minor;
    state.counters["corners_changed"] = static_cast<double>(changed);
}

void ViewWholeObjectBaseline(benchmark::State &state) {
    HostSession session(Torus(), VELMORA_MODULE);
    const ObjectItem &item = session.scene().items.front();
    ApplySetRequests(session, *item.file, {{"band2", 30.0}}, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(
            SampleCornerNormals(item, session.hooksOf(*item.file), HostSmoothing, Cores()).size());
}

BENCHMARK(ViewSetEdit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);
BENCHMARK(ViewWholeObjectBaseline)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

}  // namespace
