#include "shader/evaluate.h"

#include "module/callback_guard.h"
#include "module/module_objects.h"
#include "shader/mesh_info_hold.h"
#include "shader/polygon_normal.h"
#include "shader/services_ready.h"
#include "shader/shader_instance.h"
#include "shader/smoothed_normal.h"

namespace {

// The first entry named by the polygon's set, if smoothing is on for it.
const PolygonSetEntry *SmoothingEntry(const ShaderInstance &instance, LWMeshInfo &accessor,
                                      LWPolID polygon) {
    const char *set = accessor.polTag(&accessor, polygon, LWPTAG_PART);
    if (!set) return nullptr;
    const PolygonSetEntry *entry = instance.settings->find(set);
    return entry && entry->enabled ? entry : nullptr;
}

// The host's bump perturbation (its perturbed minus its unperturbed normal) carries over onto the
// smoothed normal.
void WriteShadingNormals(LWShaderAccess &sample, const Vec3 &smoothed) {
    Vec3 bump = Vec3::from(sample.wNorm) - Vec3::from(sample.wNorm0);
    smoothed.store(sample.wNorm0);
    normalize(smoothed + bump).store(sample.wNorm);
}

void Evaluate(const ShaderInstance &instance, LWShaderAccess &sample) {
    if (!servicesReady() || !sample.polygon || !sample.objID) return;
    MeshInfoHold accessor(*hostServices.objectInfo, sample.objID);
    if (!accessor) return;
    const PolygonSetEntry *entry = SmoothingEntry(instance, *accessor, sample.polygon);
    if (!entry) return;
    // Exactly zero, as for a degenerate polygon, keeps the normal's side.
    bool flip = dot(Vec3::from(sample.gNorm), polygonNormal(*accessor, sample.polygon)) < 0;
    Vec3 smoothed;
    bool produced;
    {
        ShaderLockHold hold(shaderLock);
        produced = smoothedNormal(sample, entry->angle, entry->sameSetOnly, smoothed);
    }
    if (!produced) return;
    WriteShadingNormals(sample, flip ? -smoothed : smoothed);
}

}  // namespace

void evaluate(LWInstance instance, LWShaderAccess *sample) {
    if (!instance || !sample) return;
    GuardedVoid([&] { Evaluate(*static_cast<const ShaderInstance *>(instance), *sample); });
}
