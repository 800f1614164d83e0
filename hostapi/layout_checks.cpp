// Compile-time proof that the declarations match the host's i686 Windows layout byte for byte.
// On other targets only the member order is shared, so only the sizes that do not hold pointers
// are checked there.
#include <cstddef>

#include "hostapi/lwhandler.h"
#include "hostapi/lwio.h"
#include "hostapi/lwmeshes.h"
#include "hostapi/lwpanel.h"
#include "hostapi/lwserver.h"
#include "hostapi/lwservices.h"
#include "hostapi/lwshader.h"

static_assert(sizeof(LWID) == 4 && sizeof(LWDualKey) == 2 && sizeof(LWDVector) == 24);
static_assert(LWPTAG_PART == 0x50415254 && LWPTAG_SURF == 0x53555246);
static_assert(offsetof(LWValInt, value) == 4 && offsetof(LWValFloat, value) == 8);
static_assert(sizeof(LWValue) == 40 && alignof(LWValue) == 8);

#if defined(_WIN32) && !defined(_WIN64)

#define LAYOUT(record, member, offset) static_assert(offsetof(record, member) == (offset))

static_assert(sizeof(ModuleDescriptor) == 24 && sizeof(ServerRecord) == 16);
static_assert(sizeof(ServerTagInfo) == 8);
LAYOUT(ModuleDescriptor, startup, 12);
LAYOUT(ModuleDescriptor, shutdown, 16);
LAYOUT(ModuleDescriptor, serverDefs, 20);
LAYOUT(ServerRecord, activate, 8);
LAYOUT(ServerRecord, tagInfo, 12);

static_assert(sizeof(LWShaderHandler) == 20 && sizeof(LWInstanceFuncs) == 28);
static_assert(sizeof(LWItemFuncs) == 8 && sizeof(LWRenderFuncs) == 12);
static_assert(sizeof(LWInterface) == 16);
LAYOUT(LWShaderHandler, evaluate, 12);
LAYOUT(LWShaderHandler, flags, 16);
LAYOUT(LWInstanceFuncs, create, 4);
LAYOUT(LWInstanceFuncs, load, 16);
LAYOUT(LWInstanceFuncs, save, 20);
LAYOUT(LWInstanceFuncs, descln, 24);
LAYOUT(LWRenderFuncs, newTime, 8);
LAYOUT(LWInterface, options, 8);
LAYOUT(LWInterface, command, 12);

LAYOUT(LWShaderAccess, gNorm, 56);
LAYOUT(LWShaderAccess, spotSize, 80);
LAYOUT(LWShaderAccess, oXfrm, 128);
LAYOUT(LWShaderAccess, wXfrm, 200);
LAYOUT(LWShaderAccess, objID, 272);
LAYOUT(LWShaderAccess, polNum, 276);
LAYOUT(LWShaderAccess, wNorm, 280);
LAYOUT(LWShaderAccess, color, 304);
LAYOUT(LWShaderAccess, roughness, 376);
LAYOUT(LWShaderAccess, illuminate, 384);
LAYOUT(LWShaderAccess, rayShade, 396);
LAYOUT(LWShaderAccess, flags, 400);
LAYOUT(LWShaderAccess, sourceID, 408);
LAYOUT(LWShaderAccess, wNorm0, 416);
LAYOUT(LWShaderAccess, bumpHeight, 440);
LAYOUT(LWShaderAccess, difSharpness, 480);
LAYOUT(LWShaderAccess, verts, 488);
LAYOUT(LWShaderAccess, weights, 504);
LAYOUT(LWShaderAccess, vertsWPos, 520);
LAYOUT(LWShaderAccess, polygon, 568);

LAYOUT(LWItemInfo, next, 4);
LAYOUT(LWObjectInfo, filename, 0);
LAYOUT(LWObjectInfo, dissolve, 16);
LAYOUT(LWObjectInfo, meshInfo, 20);
LAYOUT(LWObjectFuncs, filename, 4);
LAYOUT(LWSurfaceFuncs, byName, 12);
LAYOUT(LWSurfaceFuncs, byObject, 16);
LAYOUT(LWSurfaceFuncs, name, 20);

LAYOUT(LWMeshInfo, destroy, 4);
LAYOUT(LWMeshInfo, scanPolys, 20);
LAYOUT(LWMeshInfo, pntOtherPos, 28);
LAYOUT(LWMeshInfo, pntVGet, 40);
LAYOUT(LWMeshInfo, polType, 44);
LAYOUT(LWMeshInfo, polSize, 48);
LAYOUT(LWMeshInfo, polVertex, 52);
LAYOUT(LWMeshInfo, polTag, 56);

static_assert(sizeof(LWBlockIdent) == 8);
LAYOUT(LWSaveState, writeData, 4);
LAYOUT(LWSaveState, writeI4, 20);
LAYOUT(LWSaveState, writeU1, 24);
LAYOUT(LWSaveState, writeU4, 32);
LAYOUT(LWSaveState, writeFP, 36);
LAYOUT(LWSaveState, writeStr, 40);
LAYOUT(LWSaveState, writeID, 44);
LAYOUT(LWSaveState, beginBlk, 48);
LAYOUT(LWSaveState, endBlk, 52);
LAYOUT(LWLoadState, readData, 4);
LAYOUT(LWLoadState, readI4, 20);
LAYOUT(LWLoadState, readU1, 24);
LAYOUT(LWLoadState, readU4, 32);
LAYOUT(LWLoadState, readFP, 36);
LAYOUT(LWLoadState, readStr, 40);
LAYOUT(LWLoadState, readID, 44);
LAYOUT(LWLoadState, findBlk, 48);
LAYOUT(LWLoadState, endBlk, 52);

static_assert(sizeof(LWPanelFuncs) == 52 && sizeof(LWControl) == 16);
LAYOUT(LWPanelFuncs, set, 28);
LAYOUT(LWPanelFuncs, addControl, 32);
LAYOUT(LWPanelFuncs, drawFuncs, 40);
LAYOUT(LWPanelFuncs, globalFun, 48);
LAYOUT(LWControl, get, 4);
LAYOUT(LWControl, set, 8);
LAYOUT(LWControl, priv_data, 12);
LAYOUT(LWValue, ptr.ptr, 4);
LAYOUT(LWValue, str.bufLen, 8);
LAYOUT(LWValue, fvec.defVal, 32);
static_assert(sizeof(LWValFloat) == 24 && sizeof(LWValInt) == 12 && sizeof(LWValPointer) == 8);
static_assert(sizeof(LWPanControlDesc) == 28 && alignof(LWPanControlDesc) == 4);
LAYOUT(LWPanControlDesc, popup.countFn, 8);
LAYOUT(LWPanControlDesc, popup.nameFn, 12);
LAYOUT(LWPanControlDesc, range.max, 12);
static_assert(sizeof(LWPanPopupDesc) == 16 && sizeof(LWPanAreaDesc) == 12);

#else

static_assert(offsetof(LWValPointer, ptr) == 8, "64-bit value words carry the whole pointer");

#endif
