#include "host/render/ray_caster.h"

#include <embree3/rtcore.h>

#include <limits>
#include <stdexcept>
#include <string>

namespace render {

namespace {

// Read before the device is released: the error belongs to it.
std::runtime_error EmbreeFailure(RTCDevice device, const char *step) {
    return std::runtime_error(std::string("ray casting: ") + step + " failed (Embree error " +
                              std::to_string(rtcGetDeviceError(device)) + ")");
}

}  // namespace

RayCaster::RayCaster(const MeshData &mesh) {
    // The hierarchy is built on the calling thread: preview meshes build in milliseconds, and
    // a build spread over the threading library's own workers hides its synchronisation from
    // race detectors, which then report the release of its memory as a race.
    RTCDevice rtcDevice = rtcNewDevice("threads=1");
    if (!rtcDevice) throw EmbreeFailure(nullptr, "starting Embree");
    device = rtcDevice;
    RTCScene rtcScene = rtcNewScene(rtcDevice);
    scene = rtcScene;
    if (!rtcScene) {
        std::runtime_error failure = EmbreeFailure(rtcDevice, "making a scene");
        rtcReleaseDevice(rtcDevice);
        throw failure;
    }

    for (int p = 0; p < static_cast<int>(mesh.polygons.size()); ++p)
        for (int fan = 0; fan + 2 < static_cast<int>(mesh.polygons[p].points.size()); ++fan)
            triangles.push_back({p, fan});
    if (triangles.empty()) {
        rtcCommitScene(rtcScene);
        return;
    }

    RTCGeometry geometry = rtcNewGeometry(rtcDevice, RTC_GEOMETRY_TYPE_TRIANGLE);
    auto *vertices = static_cast<float *>(
        rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3,
                                3 * sizeof(float), mesh.points.size()));
    auto *indices = static_cast<unsigned *>(
        rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                3 * sizeof(unsigned), triangles.size()));
    if (!geometry || !vertices || !indices) {
        std::runtime_error failure = EmbreeFailure(rtcDevice, "taking in the mesh");
        if (geometry) rtcReleaseGeometry(geometry);
        rtcReleaseScene(rtcScene);
        rtcReleaseDevice(rtcDevice);
        throw failure;
    }
    for (size_t i = 0; i < mesh.points.size(); ++i)
        for (int axis = 0; axis < 3; ++axis) vertices[3 * i + axis] = mesh.points[i][axis];
    for (size_t t = 0; t < triangles.size(); ++t) {
        const std::vector<int> &corners = mesh.polygons[triangles[t].polygon].points;
        int fan = triangles[t].fan;
        indices[3 * t] = static_cast<unsigned>(corners[0]);
        indices[3 * t + 1] = static_cast<unsigned>(corners[fan + 1]);
        indices[3 * t + 2] = static_cast<unsigned>(corners[fan + 2]);
    }
    rtcCommitGeometry(geometry);
    rtcAttachGeometry(rtcScene, geometry);
    rtcReleaseGeometry(geometry);
    rtcCommitScene(rtcScene);
}

RayCaster::~RayCaster() {
    rtcReleaseScene(static_cast<RTCScene>(scene));
    rtcReleaseDevice(static_cast<RTCDevice>(device));
}

Hit RayCaster::cast(const Ray &ray) const {
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    RTCRayHit query{};
    query.ray.org_x = static_cast<float>(ray.origin.x);
    query.ray.org_y = static_cast<float>(ray.origin.y);
    query.ray.org_z = static_cast<float>(ray.origin.z);
    query.ray.dir_x = static_cast<float>(ray.direction.x);
    query.ray.dir_y = static_cast<float>(ray.direction.y);
    query.ray.dir_z = static_cast<float>(ray.direction.z);
    query.ray.tnear = 0;
    query.ray.tfar = std::numeric_limits<float>::infinity();
    query.ray.mask = ~0u;
    query.hit.geomID = RTC_INVALID_GEOMETRY_ID;
    rtcIntersect1(static_cast<RTCScene>(scene), &context, &query);

    Hit hit;
    if (query.hit.geomID == RTC_INVALID_GEOMETRY_ID) return hit;
    const Triangle &triangle = triangles[query.hit.primID];
    hit.polygon = triangle.polygon;
    hit.fan = triangle.fan;
    hit.u = query.hit.u;
    hit.v = query.hit.v;
    hit.distance = query.ray.tfar;
    return hit;
}

}  // namespace render
