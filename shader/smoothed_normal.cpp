#include "shader/smoothed_normal.h"

#include "module/host_services.h"
#include "module/module_objects.h"
#include "shader/mesh_info_hold.h"
#include "shader/slot_smoothing.h"

bool smoothedNormal(const LWShaderAccess &sample, double angle, int sameSetOnly, Vec3 &result) {
    if (!sample.polygon || !hostServices.objectInfo) return false;
    // An accessor of its own: the one evaluate holds is not handed in.
    MeshInfoHold accessor(*hostServices.objectInfo, sample.objID);
    if (!accessor) return false;
    AdjacencyCache *cache = adjacencyCacheList.findOrBuild(*accessor, sample.objID);
    if (!cache) return false;
    result = SmoothOverSlots(*accessor, *cache, sample, angle, sameSetOnly);
    return true;
}
