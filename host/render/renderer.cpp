#include "host/render/renderer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "host/render/lighting.h"
#include "host/render/pixel_samples.h"
#include "host/render/ray_caster.h"
#include "host/render/shading_record.h"
#include "host/render/tile_runner.h"
#include "host/scene/name_lookup.h"
#include "host/scene/quoted_list.h"

namespace render {

using geometry::ComputeHostNormals;
using geometry::Dot;
using geometry::FromArray;
using geometry::HostNormals;
using geometry::Normalize;
using geometry::SurfaceSmoothing;
using geometry::Vec3;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// The ray tracer stops the program on a ray that starts more than about 1.8e18 from the origin
// (its limit for a valid ray), and the camera stands back from the framing sphere by up to 115
// of its radii at the narrowest field of view. Points within 2^20 below that limit keep every
// ray the renderer casts valid, with room to spare.
constexpr double RayOriginLimit = 1.844e18;
constexpr double FarthestCoordinate = RayOriginLimit / 1048576.0;

std::string FarthestText() {
    char limit[32];
    std::snprintf(limit, sizeof limit, "%.3g", FarthestCoordinate);
    return limit;
}

std::string PointText(const std::array<float, 3> &point) {
    char text[96];
    std::snprintf(text, sizeof text, "(%g, %g, %g)", point[0], point[1], point[2]);
    return text;
}

}  // namespace

std::optional<std::string> UnrenderablePoint(const ObjectFile &file) {
    for (std::size_t p = 0; p < file.mesh.points.size(); ++p) {
        const std::array<float, 3> &point = file.mesh.points[p];
        bool finite = std::isfinite(point[0]) && std::isfinite(point[1]) && std::isfinite(point[2]);
        std::string named = file.filename + ": point " + std::to_string(p) + " " + PointText(point);
        if (!finite) return named + " is not finite; it cannot be rendered";
        for (float coordinate : point)
            if (std::abs(coordinate) > FarthestCoordinate)
                return named + " is too far out to render: the ray tracer takes points within " +
                       FarthestText() + " of the origin";
    }
    return std::nullopt;
}

namespace {

bool Within(double value, double low, double high) {
    return value >= low && value <= high;
}

bool Near(const std::optional<Vec3> &point) {
    auto near = [](double coordinate) { return std::abs(coordinate) <= FarthestCoordinate; };
    return !point || (near(point->x) && near(point->y) && near(point->z));
}

void CheckView(const View &view) {
    if (!Within(view.azimuthDegrees, -LargestAzimuth, LargestAzimuth) ||
        !Within(view.elevationDegrees, -LargestElevation, LargestElevation))
        throw std::runtime_error("view azimuth " + std::to_string(view.azimuthDegrees) +
                                 ", elevation " + std::to_string(view.elevationDegrees) +
                                 ": azimuth must be from -360 to 360 and elevation from -90 to "
                                 "90 degrees");
    if (!Within(view.fieldOfViewDegrees, NarrowestFieldOfView, WidestFieldOfView))
        throw std::runtime_error("field of view " + std::to_string(view.fieldOfViewDegrees) +
                                 " is not from 1 to 170 degrees");
    if (!Near(view.eye) || !Near(view.target))
        throw std::runtime_error("the camera's eye and target must be finite points within " +
                                 FarthestText() + " of the origin");
}

void CheckInput(const ObjectItem &item, const RenderSettings &settings) {
    if (!item.file) throw std::runtime_error("object item \"" + item.name + "\": no object file");
    if (settings.width < 1 || settings.height < 1 || settings.width > LargestSide ||
        settings.height > LargestSide)
        throw std::runtime_error("picture size " + std::to_string(settings.width) + "x" +
                                 std::to_string(settings.height) + " is not between 1 and " +
                                 std::to_string(LargestSide) + " on each side");
    if (settings.samplesPerPixel < 1 || settings.samplesPerPixel > MostSamplesPerPixel)
        throw std::runtime_error(std::to_string(settings.samplesPerPixel) +
                                 " samples per pixel is not between 1 and " +
                                 std::to_string(MostSamplesPerPixel));
    CheckView(settings.view);
    if (std::optional<std::string> problem = UnrenderablePoint(*item.file))
        throw std::runtime_error(*problem);
    const MeshData &mesh = item.file->mesh;
    int pointCount = static_cast<int>(mesh.points.size());
    for (size_t p = 0; p < mesh.polygons.size(); ++p)
        for (size_t c = 0; c < mesh.polygons[p].points.size(); ++c) {
            int index = mesh.polygons[p].points[c];
            if (index < 0 || index >= pointCount)
                throw std::runtime_error(item.file->filename + ": polygon " + std::to_string(p) +
                                         " corner " + std::to_string(c) + ": point index " +
                                         std::to_string(index) + " out of range (" +
                                         std::to_string(pointCount) + " points)");
        }
}

// The whole object, or the polygon set the camera is to frame.
Bounds FramedBounds(const ObjectItem &item, const RenderSettings &settings) {
    const MeshData &mesh = item.file->mesh;
    if (!settings.targetSet) return MeshBounds(mesh);
    // A set the object lacks is refused naming those it has.
    PolygonSetIndex(CollectPolygonSets(mesh).names, *settings.targetSet, {item.file->filename});
    Bounds bounds = MeshBounds(mesh, &*settings.targetSet);
    if (bounds.radius > 0) return bounds;
    throw std::runtime_error(item.file->filename + ": polygon set " +
                             QuotedName(*settings.targetSet) + " has no face to frame");
}

// Ripples of the same size on the whole object, whatever the camera frames.
double BumpFrequency(const MeshData &mesh, const RenderSettings &settings) {
    double radius = MeshBounds(mesh).radius;
    return settings.bump && radius > 0 ? 24 / radius : 0;
}

// What every tile reads; made once per render.
struct Stage {
    const ObjectItem &item;
    const RenderSettings &settings;
    HostNormals normals;
    std::vector<const ShaderHook *> hookOf;  // per polygon
    RayCaster caster;
    Camera camera;
    Lighting lighting;
    double bumpFrequency;
};

std::vector<const ShaderHook *> HooksByPolygon(const MeshData &mesh, const ShaderHooks &hooks) {
    std::vector<const ShaderHook *> hookOf(mesh.polygons.size(), nullptr);
    for (size_t p = 0; p < mesh.polygons.size(); ++p) {
        const PolygonTag &surface = mesh.polygons[p].surface;
        if (!surface) continue;
        auto found = hooks.find(*surface);
        if (found != hooks.end() && found->second.handler && found->second.handler->evaluate)
            hookOf[p] = &found->second;
    }
    return hookOf;
}

// Each render thread's own scratch space, so that no sample allocates.
struct Worker {
    ShadingRecord record;
    std::vector<PixelOffset> offsets;
    std::vector<Ray> rays;
    std::vector<Hit> hits;
    StageTimes times;
};

void CastTile(const Stage &stage, const Tile &tile, Worker &worker, Frame &frame) {
    const RenderSettings &settings = stage.settings;
    int samples = settings.samplesPerPixel;
    worker.offsets.resize(samples);
    size_t i = 0;
    for (int y = tile.y0; y < tile.y1; ++y)
        for (int x = tile.x0; x < tile.x1; ++x) {
            PixelSamples(settings.seed, x, y, worker.offsets);
            for (const PixelOffset &offset : worker.offsets) {
                worker.rays[i] = CameraRay(stage.camera, x + offset.x, y + offset.y);
                worker.hits[i] = stage.caster.cast(worker.rays[i]);
                ++i;
            }
            Hit centre = stage.caster.cast(CameraRay(stage.camera, x + 0.5, y + 0.5));
            frame.polygonAt[static_cast<size_t>(y) * settings.width + x] = centre.polygon;
        }
}

Rgb ShadeWith(const Stage &stage, const double (&normal)[3], const Ray &ray) {
    return Shade(stage.lighting, Normalize(FromArray(normal)), -ray.direction);
}

double DegreesBetween(const double (&a)[3], const double (&b)[3]) {
    double cosine = Dot(Normalize(FromArray(a)), Normalize(FromArray(b)));
    return std::acos(std::clamp(cosine, -1.0, 1.0)) * 180 / std::numbers::pi;
}

// Returns the seconds spent inside shaders, when the stages are timed.
double ShadeTile(const Stage &stage, const Tile &tile, Worker &worker, Frame &frame) {
    const RenderSettings &settings = stage.settings;
    int samples = settings.samplesPerPixel;
    double pixelAngle = 2 * stage.camera.halfHeight / settings.height;
    double inShaders = 0;
    size_t i = 0;
    for (int y = tile.y0; y < tile.y1; ++y)
        for (int x = tile.x0; x < tile.x1; ++x) {
            Rgb host, shaded;
            double angles = 0;
            int onObject = 0;
            for (int s = 0; s < samples; ++s, ++i) {
                const Hit &hit = worker.hits[i];
                const Ray &ray = worker.rays[i];
                if (hit.polygon < 0) {
                    host = host + stage.lighting.background;
                    shaded = shaded + stage.lighting.background;
                    continue;
                }
                worker.record.clear();
                LWShaderAccess &record = worker.record.access();
                SampleSpot spot{x, y, ray, hit, hit.distance * pixelAngle};
                FillShadingRecord(record, stage.item, stage.normals, spot, stage.bumpFrequency);
                ++onObject;
                const ShaderHook *hook = stage.hookOf[hit.polygon];
                if (!hook || settings.compare) {
                    Rgb own = ShadeWith(stage, record.wNorm, ray);
                    host = host + own;
                    if (!hook) {
                        shaded = shaded + own;
                        continue;
                    }
                }
                double hostNormal[3] = {record.wNorm[0], record.wNorm[1], record.wNorm[2]};
                Clock::time_point before = settings.timeStages ? Clock::now() : Clock::time_point{};
                hook->handler->evaluate(hook->instance, &record);
                if (settings.timeStages) inShaders += Seconds(Clock::now() - before);
                shaded = shaded + ShadeWith(stage, record.wNorm, ray);
                if (settings.compare) angles += DegreesBetween(hostNormal, record.wNorm);
            }
            frame.shaded.set(x, y, Encode((1.0 / samples) * shaded));
            if (!settings.compare) continue;
            frame.host.set(x, y, Encode((1.0 / samples) * host));
            frame.normalAngle[static_cast<size_t>(y) * settings.width + x] =
                onObject ? static_cast<float>(angles / onObject) : -1.0f;
        }
    return inShaders;
}

void RenderTile(const Stage &stage, const Tile &tile, Worker &worker, Frame &frame) {
    size_t count = static_cast<size_t>(tile.x1 - tile.x0) * (tile.y1 - tile.y0) *
                   stage.settings.samplesPerPixel;
    worker.rays.resize(count);
    worker.hits.resize(count);
    Clock::time_point start = Clock::now();
    CastTile(stage, tile, worker, frame);
    Clock::time_point cast = Clock::now();
    double inShaders = ShadeTile(stage, tile, worker, frame);
    if (!stage.settings.timeStages) return;
    worker.times.rayCasting += Seconds(cast - start);
    worker.times.hostShading += Seconds(Clock::now() - cast) - inShaders;
    worker.times.shader += inShaders;
}

}  // namespace

Frame Render(const ObjectItem &item, const RenderSettings &settings, const ShaderHooks &hooks) {
    CheckInput(item, settings);
    const MeshData &mesh = item.file->mesh;
    Bounds bounds = FramedBounds(item, settings);
    Camera camera = FrameCamera(bounds, settings.view, settings.width, settings.height);
    Stage stage{item,
                settings,
                ComputeHostNormals(mesh, SurfaceSmoothing(*item.file, settings.hostAngleDegrees)),
                HooksByPolygon(mesh, hooks),
                RayCaster(mesh),
                camera,
                CameraLighting(camera, settings.material),
                BumpFrequency(mesh, settings)};

    Frame frame;
    frame.shaded = Image(settings.width, settings.height);
    frame.polygonAt.assign(static_cast<size_t>(settings.width) * settings.height, -1);
    if (settings.compare) {
        frame.host = Image(settings.width, settings.height);
        frame.normalAngle.assign(frame.polygonAt.size(), -1.0f);
    }
    frame.sets = CollectPolygonSets(mesh);

    std::vector<Worker> workers(ThreadsToUse(settings.threads));
    {
        ShaderPass pass(hooks);
        TileWork work{
            [&](const Tile &tile, int worker) { RenderTile(stage, tile, workers[worker], frame); },
            settings.progress};
        RunTiles(settings.width, settings.height, settings.tileSize, settings.threads, work);
    }
    for (const Worker &worker : workers) {
        frame.times.rayCasting += worker.times.rayCasting;
        frame.times.hostShading += worker.times.hostShading;
        frame.times.shader += worker.times.shader;
    }
    return frame;
}

}  // namespace render
