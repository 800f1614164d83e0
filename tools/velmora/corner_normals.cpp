#include "tools/velmora/corner_normals.h"

#include <algorithm>
#include <system_error>

#include "host/for_each_on_threads.h"
#include "host/render/shading_record.h"
#include "host/scene/geometric_normal.h"
#include "tools/velmora/unit_corner_normals.h"

namespace {

template <typename T>
T *Id(const T &data) {
    return const_cast<T *>(&data);
}

const render::ShaderHook *HookOf(const render::ShaderHooks &hooks, const MeshPolygon &polygon) {
    if (!polygon.surface) return nullptr;
    auto found = hooks.find(*polygon.surface);
    return found == hooks.end() ? nullptr : &found->second;
}

// Where a worker's share of a block begins.
struct WorkStart {
    std::size_t polygon, corner;  // corner: its index in the block
};

// The host's normal at each corner, replaced by the sample's result: a corner's host normal is
// read only by its own sample. With `pointsSampled`, only corners at flagged points are sampled.
void SamplePolygonCorners(const ObjectItem &item, const render::ShaderHooks &hooks,
                          const geometry::HostShape &shape,
                          const geometry::SmoothingAngles &smoothing, std::size_t first,
                          std::size_t last, std::span<CornerNormal> corners,
                          std::span<const char> pointsSampled = {}) {
    const MeshData &mesh = item.file->mesh;
    geometry::ComputeCornerNormals(mesh, shape, smoothing, first, last, corners);

    render::ShadingRecord record;
    LWShaderAccess &sample = record.access();
    // Only the fields below change from corner to corner, and a shader writes no others.
    sample.objID = Id(item);
    sample.weights[0] = 1;
    auto normal = corners.begin();
    for (std::size_t p = first; p < last; ++p) {
        const MeshPolygon &polygon = mesh.polygons[p];
        const render::ShaderHook *hook = HookOf(hooks, polygon);
        geometry::Vec3 gNorm = geometry::GeometricNormal(mesh, polygon);
        for (int point : polygon.points) {
            sample.polygon = reinterpret_cast<LWPolID>(Id(polygon));
            sample.polNum = static_cast<int>(p);
            geometry::ToArray(gNorm, sample.gNorm);
            geometry::ToArray(*normal, sample.wNorm);
            geometry::ToArray(*normal, sample.wNorm0);
            sample.verts[0] = reinterpret_cast<LWPntID>(Id(mesh.points[point]));
            if (hook && (pointsSampled.empty() || pointsSampled[point]))
                hook->handler->evaluate(hook->instance, &sample);
            *normal++ = {sample.wNorm[0], sample.wNorm[1], sample.wNorm[2]};
        }
    }
}

}  // namespace

CornerNormalStream::CornerNormalStream(const ObjectItem &item, const render::ShaderHooks &hooks,
                                       const geometry::SmoothingAngles &smoothing, unsigned threads,
                                       std::size_t blockPolygons,
                                       const CornerNormalOptions &options)
    : item(item),
      hooks(hooks),
      smoothing(smoothing),
      threads(std::max(threads, 1u)),
      blockPolygons(std::max<std::size_t>(blockPolygons, 1)),
      options{options.hostNormals || options.unitNormals, options.unitNormals},
      shape(geometry::ComputeHostShape(item.file->mesh)),
      pass(this->hooks) {
    if (!item.file->mesh.polygons.empty()) startBlock(0);
}

// The block under way reads this stream's tables and samples within its render.
CornerNormalStream::~CornerNormalStream() {
    if (pending.valid()) pending.wait();
}

const CornerBlock *CornerNormalStream::next() {
    if (!pending.valid()) return nullptr;
    pending.get();
    CornerBlock &done = blocks[sampling];
    if (options.unitNormals) replaced += ReplaceZeroNormals(item.file->mesh, shape, done);
    sampling ^= 1;
    if (done.endPolygon < item.file->mesh.polygons.size()) startBlock(done.endPolygon);
    return &done;
}

void CornerNormalStream::startBlock(std::size_t firstPolygon) {
    auto sample = [this, &block = blocks[sampling], firstPolygon] {
        sampleBlock(block, firstPolygon);
    };
    try {
        pending = std::async(std::launch::async, sample);
    } catch (const std::system_error &) {
        // Without a thread to spare, the block is sampled when it is asked for.
        pending = std::async(std::launch::deferred, sample);
    }
}

// Each worker takes an equal share of the block's polygons.
void CornerNormalStream::sampleBlock(CornerBlock &block, std::size_t firstPolygon) const {
    const MeshData &mesh = item.file->mesh;
    std::size_t polygons = std::min(blockPolygons, mesh.polygons.size() - firstPolygon);
    std::size_t workers = std::min<std::size_t>(threads, polygons);
    std::vector<WorkStart> starts;
    std::size_t polygon = firstPolygon, corners = 0;
    for (std::size_t worker = 0; worker <= workers; ++worker) {
        std::size_t start = firstPolygon + polygons * worker / workers;
        for (; polygon < start; ++polygon) corners += mesh.polygons[polygon].points.size();
        starts.push_back({start, corners});
    }
    block.firstPolygon = firstPolygon;
    block.endPolygon = firstPolygon + polygons;
    block.normals.resize(corners);
    block.hostNormals.resize(options.hostNormals ? corners : 0);
    ForEachOnThreads(workers, static_cast<unsigned>(workers), [&](std::size_t worker) {
        const WorkStart &start = starts[worker], &end = starts[worker + 1];
        std::size_t count = end.corner - start.corner;
        std::span<CornerNormal> corners = {block.normals.data() + start.corner, count};
        SamplePolygonCorners(item, hooks, shape, smoothing, start.polygon, end.polygon, corners);
        // The host's own normals, for outputs that carry both.
        if (options.hostNormals)
            geometry::ComputeCornerNormals(item.file->mesh, shape, smoothing, start.polygon,
                                           end.polygon,
                                           {block.hostNormals.data() + start.corner, count});
    });
}

std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item,
                                              const render::ShaderHooks &hooks,
                                              const geometry::SmoothingAngles &smoothing,
                                              unsigned threads) {
    std::vector<CornerNormal> normals;
    normals.reserve(CornerCount(item.file->mesh));
    CornerNormalStream stream(item, hooks, smoothing, threads);
    while (const CornerBlock *block = stream.next())
        normals.insert(normals.end(), block->normals.begin(), block->normals.end());
    return normals;
}

std::vector<CornerNormal> SampleCornersOf(const ObjectItem &item, const render::ShaderHooks &hooks,
                                          const geometry::HostShape &shape,
                                          const geometry::SmoothingAngles &smoothing,
                                          std::span<const int> polygons, unsigned threads,
                                          std::span<const char> pointsSampled) {
    const MeshData &mesh = item.file->mesh;
    std::vector<std::size_t> firstCorner(polygons.size() + 1, 0);
    for (std::size_t i = 0; i < polygons.size(); ++i)
        firstCorner[i + 1] = firstCorner[i] + mesh.polygons[polygons[i]].points.size();
    std::vector<CornerNormal> normals(firstCorner.back());
    // Shares of a few hundred polygons keep the threads evenly busy.
    constexpr std::size_t SharePolygons = 256;
    std::size_t shares = (polygons.size() + SharePolygons - 1) / SharePolygons;
    ForEachOnThreads(shares, std::max(threads, 1u), [&](std::size_t share) {
        std::size_t end = std::min(polygons.size(), (share + 1) * SharePolygons);
        for (std::size_t i = share * SharePolygons; i < end; ++i) {
            auto p = static_cast<std::size_t>(polygons[i]);
            SamplePolygonCorners(
                item, hooks, shape, smoothing, p, p + 1,
                {normals.data() + firstCorner[i], firstCorner[i + 1] - firstCorner[i]},
                pointsSampled);
        }
    });
    return normals;
}
