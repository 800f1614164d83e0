#include "tools/velmora/corner_normals.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>

#include "host/render/host_normals.h"
#include "hostapi/lwshader.h"

namespace {

// Hosts keep members after `polygon`; a module never sees the record's true end.
struct ShadingRecord {
    alignas(8) unsigned char bytes[sizeof(LWShaderAccess) + 512] = {};
    LWShaderAccess &access() { return *reinterpret_cast<LWShaderAccess *>(bytes); }
};

// gNorm from the first, second and last corners, the corners the module itself uses, so that
// the module never turns the result over.
render::Vec3 OrientationNormal(const MeshData &mesh, const MeshPolygon &polygon) {
    std::size_t n = polygon.points.size();
    if (n < 3) return {};
    render::Vec3 p0 = render::FromPoint(mesh.points[polygon.points[0]]);
    render::Vec3 p1 = render::FromPoint(mesh.points[polygon.points[1]]);
    render::Vec3 pn = render::FromPoint(mesh.points[polygon.points[n - 1]]);
    return render::Normalize(render::Cross(p1 - p0, pn - p0));
}

struct Sampler {
    const ObjectItem &item;
    const ObjectShaders &shaders;
    const render::HostNormals &host;
    std::vector<CornerNormal> &out;

    LWInstance instanceOf(const MeshPolygon &polygon) const {
        if (!polygon.surface) return nullptr;
        auto found = shaders.bySurface.find(*polygon.surface);
        return found == shaders.bySurface.end() ? nullptr : found->second;
    }

    void samplePolygons(std::size_t first, std::size_t last) const {
        auto record = std::make_unique<ShadingRecord>();
        LWShaderAccess &sample = record->access();
        const MeshData &mesh = item.file->mesh;
        sample.objID = const_cast<ObjectItem *>(&item);
        sample.weights[0] = 1;
        for (std::size_t p = first; p < last; ++p) {
            const MeshPolygon &polygon = mesh.polygons[p];
            LWInstance instance = instanceOf(polygon);
            sample.polygon = reinterpret_cast<LWPolID>(const_cast<MeshPolygon *>(&polygon));
            sample.polNum = static_cast<int>(p);
            render::ToArray(OrientationNormal(mesh, polygon), sample.gNorm);
            for (std::size_t c = 0; c < polygon.points.size(); ++c) {
                std::size_t corner = static_cast<std::size_t>(host.firstCorner[p]) + c;
                render::Vec3 hostNormal = host.corner[corner];
                render::ToArray(hostNormal, sample.wNorm);
                render::ToArray(hostNormal, sample.wNorm0);
                sample.verts[0] = reinterpret_cast<LWPntID>(
                    const_cast<std::array<float, 3> *>(&mesh.points[polygon.points[c]]));
                if (instance) shaders.handler->evaluate(instance, &sample);
                out[corner] = {sample.wNorm[0], sample.wNorm[1], sample.wNorm[2]};
            }
        }
    }
};

void ForEachInstance(const ObjectShaders &shaders, void (*call)(const LWShaderHandler &, LWInstance)) {
    for (const auto &[surface, instance] : shaders.bySurface) call(*shaders.handler, instance);
}

}  // namespace

std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item, const ObjectShaders &shaders,
                                              unsigned threads) {
    const MeshData &mesh = item.file->mesh;
    render::HostNormals host = render::ComputeHostNormals(mesh, render::SmoothingAngles{});
    std::vector<CornerNormal> out(host.corner.size());
    Sampler sampler{item, shaders, host, out};

    ForEachInstance(shaders, [](const LWShaderHandler &handler, LWInstance instance) {
        handler.rend->init(instance, LWINIT_RENDER);
        handler.rend->newTime(instance, 0, 0.0);
    });
    std::size_t count = mesh.polygons.size();
    threads = static_cast<unsigned>(std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(count, 1)));
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        std::size_t first = count * t / threads, last = count * (t + 1) / threads;
        workers.emplace_back([&sampler, first, last] { sampler.samplePolygons(first, last); });
    }
    for (auto &worker : workers) worker.join();
    ForEachInstance(shaders, [](const LWShaderHandler &handler, LWInstance instance) {
        handler.rend->cleanup(instance);
    });
    return out;
}
