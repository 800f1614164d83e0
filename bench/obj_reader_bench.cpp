// Reading a 1M-quad torus (eight parts) from OBJ text in memory: the reader on one thread and on
// every core, against the former tinyobjloader reader.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_meshes.h"
#include "bench/obj_reader_baseline.h"
#include "host/for_each_on_threads.h"
#include "host/formats/obj_reader.h"

namespace {

void Report(benchmark::State &state, const ObjectFile &object) {
    state.SetBytesProcessed(state.iterations() * std::int64_t(TorusObjText().size()));
    state.counters["polygons"] = double(object.mesh.polygons.size());
}

void ObjReadTorus(benchmark::State &state) {
    ObjReadWork work;
    work.threads = unsigned(state.range(0));
    ObjectFile object;
    for (auto _ : state) object = ParseObj(TorusObjText(), "torus.obj", work);
    Report(state, object);
}
BENCHMARK(ObjReadTorus)->Arg(1)->Arg(int(Cores()))->Unit(benchmark::kMillisecond)->UseRealTime();

void ObjReadTorusBaseline(benchmark::State &state) {
    ObjectFile object;
    for (auto _ : state) object = ParseObjThroughTinyobjloader(TorusObjText(), "torus.obj");
    Report(state, object);
}
BENCHMARK(ObjReadTorusBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
