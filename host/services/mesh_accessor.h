// The stand-in host's mesh accessor (LWMeshInfo) over one mesh. Each one is allocated when the
// module asks for it and freed by its destroy function, as the host's own are.
#pragma once

#include "host/services/mesh_access_ledger.h"
#include "host/services/mesh_corners.h"
#include "hostapi/lwmeshes.h"

enum class AccessorRelease { byDestroy, withoutDestroy };

// With `withoutDestroy` the accessor's destroy member is null and the ledger owns it.
LWMeshInfo *OpenMeshAccessor(const MeshCorners &mesh, MeshAccessLedger &ledger,
                             AccessorRelease release = AccessorRelease::byDestroy);
