#include "tools/velmora/corner_normals.h"

#include <algorithm>
#include <thread>

#include "host/render/host_normals.h"
#include "host/render/shading_record.h"

namespace {

// gNorm from the corners the module itself takes, so that the module never turns it over.
render::Vec3 OrientationNormal(const MeshData &mesh, const MeshPolygon &polygon) {
    std::size_t n = polygon.points.size();
    if (n < 3) return {};
    render::Vec3 p0 = render::FromPoint(mesh.points[polygon.points[0]]);
    render::Vec3 p1 = render::FromPoint(mesh.points[polygon.points[1]]);
    render::Vec3 pn = render::FromPoint(mesh.points[polygon.points[n - 1]]);
    return render::Normalize(render::Cross(p1 - p0, pn - p0));
}

template <typename T>
T *Id(const T &data) {
    return const_cast<T *>(&data);
}

struct CornerSampler {
    const ObjectItem &item;
    const render::ShaderHooks &hooks;
    // The host's normal at each corner, replaced by the sample's result: a corner's host normal
    // is read only by its own sample, so the results need no array of their own while the
    // module's tables are alive.
    std::vector<render::Vec3> &corners;
    const std::vector<int> &firstCorner;

    const render::ShaderHook *hookOf(const MeshPolygon &polygon) const {
        if (!polygon.surface) return nullptr;
        auto found = hooks.find(*polygon.surface);
        return found == hooks.end() ? nullptr : &found->second;
    }

    void samplePolygons(std::size_t first, std::size_t last) const {
        render::ShadingRecord record;
        LWShaderAccess &sample = record.access();
        const MeshData &mesh = item.file->mesh;
        // Only the fields below change from corner to corner, and a shader writes no others.
        sample.objID = Id(item);
        sample.weights[0] = 1;
        for (std::size_t p = first; p < last; ++p) {
            const MeshPolygon &polygon = mesh.polygons[p];
            const render::ShaderHook *hook = hookOf(polygon);
            render::Vec3 gNorm = OrientationNormal(mesh, polygon);
            for (std::size_t c = 0; c < polygon.points.size(); ++c) {
                render::Vec3 &normal = corners[static_cast<std::size_t>(firstCorner[p]) + c];
                sample.polygon = reinterpret_cast<LWPolID>(Id(polygon));
                sample.polNum = static_cast<int>(p);
                render::ToArray(gNorm, sample.gNorm);
                render::ToArray(normal, sample.wNorm);
                render::ToArray(normal, sample.wNorm0);
                sample.verts[0] = reinterpret_cast<LWPntID>(Id(mesh.points[polygon.points[c]]));
                if (hook) hook->handler->evaluate(hook->instance, &sample);
                normal = {sample.wNorm[0], sample.wNorm[1], sample.wNorm[2]};
            }
        }
    }
};

// Runs the shaders' render over all polygons, each worker on a range of its own.
void SampleInRender(const CornerSampler &sampler, std::size_t polygonCount, unsigned threads) {
    render::ShaderPass pass(sampler.hooks);
    std::size_t workers =
        std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(polygonCount, 1));
    std::vector<std::thread> running;
    for (std::size_t t = 0; t < workers; ++t) {
        std::size_t first = polygonCount * t / workers, last = polygonCount * (t + 1) / workers;
        running.emplace_back([&sampler, first, last] { sampler.samplePolygons(first, last); });
    }
    for (auto &worker : running) worker.join();
}

}  // namespace

std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item,
                                              const render::ShaderHooks &hooks,
                                              const render::SmoothingAngles &smoothing,
                                              unsigned threads) {
    const MeshData &mesh = item.file->mesh;
    render::HostNormals host = render::ComputeHostNormals(mesh, smoothing);
    std::vector<render::Vec3>().swap(host.polygon);  // not needed by the samples
    CornerSampler sampler{item, hooks, host.corner, host.firstCorner};
    SampleInRender(sampler, mesh.polygons.size(), threads);
    return std::move(host.corner);
}
