// Proposing polygon sets for a 1M-quad torus against reading it: each iteration reads the torus
// from OBJ text on every core, then proposes its sets from its shape and from normals it
// carries, so that the counters give each proposal's time as a share of the reading's.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "host/formats/obj_reader.h"
#include "host/formats/obj_writer.h"
#include "host/render/host_normals.h"
#include "host/scene/mesh_generators.h"
#include "sets/normals_proposal.h"
#include "sets/shape_proposal.h"

namespace {

const std::string &TorusText() {
    static const std::string text = [] {
        ObjectFile torus;
        torus.filename = "torus";
        torus.mesh = MakeTorus(1000, 1000, 8);
        return ObjText(torus);
    }();
    return text;
}

// The host's smoothed corner normals, as authored normals of the mesh.
void AuthorNormals(MeshData &mesh) {
    render::HostNormals host = render::ComputeHostNormals(mesh, {89.5, {}});
    mesh.normals.clear();
    for (std::size_t p = 0; p < mesh.polygons.size(); ++p) {
        MeshPolygon &polygon = mesh.polygons[p];
        polygon.normalCorners.clear();
        for (int corner = host.firstCorner[p]; corner < host.firstCorner[p + 1]; ++corner) {
            render::Vec3 n = host.corner[corner];
            polygon.normalCorners.push_back(static_cast<int>(mesh.normals.size()));
            mesh.normals.push_back({float(n.x), float(n.y), float(n.z)});
        }
    }
}

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
        reading += SecondsOf([&] { object = ParseObj(TorusText(), "torus.obj"); });
        polygons = object.mesh.polygons.size();
        shape += SecondsOf(
            [&] { benchmark::DoNotOptimize(ProposeSetsFromShape(object.mesh).sets.size()); });
        state.PauseTiming();
        AuthorNormals(object.mesh);
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
