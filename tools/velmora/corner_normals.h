// The normal the module writes at every polygon corner of an object, sampled as a render would
// sample it: the shaders' render starts, samples run on several threads, the render ends.
#pragma once

#include <array>
#include <cstddef>
#include <future>
#include <span>
#include <vector>

#include "host/formats/corner_normal_block.h"
#include "host/non_copyable.h"
#include "host/render/shader_hook.h"
#include "host/scene/host_normals.h"
#include "host/scene/scene.h"
#include "host/scene/vec3.h"

// What a stream hands out besides the module's normals.
struct CornerNormalOptions {
    bool hostNormals = false;  // the host's normal at each corner too, in CornerBlock::hostNormals
    // Zero normals replaced as ReplaceZeroNormals does, for formats that need unit normals (with
    // the host's normals, which the replacement takes).
    bool unitNormals = false;
};

// The module's normal at each corner, a block of polygons at a time, so that a large mesh's
// corner normals never all exist at once. Each is a sample whose vertex slot 0 holds the
// corner's point with weight 1 (the other slots null, weight 0), whose gNorm is the polygon's
// normal taken from its first, second and last corners, and whose wNorm and wNorm0 are the
// host's normal there with `smoothing`. Surfaces without a hook keep the host's normal.
//
// The shaders' render lasts as long as the stream. While the caller works on one block, the
// next is sampled on `threads` threads.
class CornerNormalStream : NonCopyable {
  public:
    static constexpr std::size_t DefaultBlockPolygons = 1 << 14;

    // A shader's failure to start is thrown here, before any block.
    CornerNormalStream(const ObjectItem &item, const render::ShaderHooks &hooks,
                       const geometry::SmoothingAngles &smoothing, unsigned threads,
                       std::size_t blockPolygons = DefaultBlockPolygons,
                       const CornerNormalOptions &options = {});
    ~CornerNormalStream();

    // The next block, valid until the next call; nullptr after the last.
    const CornerBlock *next();
    // How many zero normals the blocks handed out so far had replaced.
    std::size_t replacedCorners() const { return replaced; }

  private:
    void sampleBlock(CornerBlock &block, std::size_t firstPolygon) const;
    void startBlock(std::size_t firstPolygon);

    const ObjectItem &item;
    const render::ShaderHooks hooks;
    const geometry::SmoothingAngles smoothing;
    const unsigned threads;
    const std::size_t blockPolygons;
    const CornerNormalOptions options;
    const geometry::HostShape shape;
    render::ShaderPass pass;
    std::array<CornerBlock, 2> blocks;
    std::size_t sampling = 0;  // the entry of `blocks` that `pending` fills
    std::future<void> pending;
    std::size_t replaced = 0;
};

// The module's normals at the corners of `polygons`, polygon after polygon, sampled as the stream
// samples them on `threads` threads, within the render the caller holds (a render::ShaderPass
// over `hooks`): what a change of one set's settings needs when only the polygons near that set
// can change, without the module building its tables of the object again. With `pointsSampled`
// (a flag per point of the mesh), only the corners at flagged points are sampled; the others
// hold the host's normal.
std::vector<CornerNormal> SampleCornersOf(const ObjectItem &item, const render::ShaderHooks &hooks,
                                          const geometry::HostShape &shape,
                                          const geometry::SmoothingAngles &smoothing,
                                          std::span<const int> polygons, unsigned threads,
                                          std::span<const char> pointsSampled = {});

// Every corner's normal at once, in polygon order, then corner order.
std::vector<CornerNormal> SampleCornerNormals(const ObjectItem &item,
                                              const render::ShaderHooks &hooks,
                                              const geometry::SmoothingAngles &smoothing,
                                              unsigned threads);
