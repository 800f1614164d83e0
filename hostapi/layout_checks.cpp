// Compile-time proof that the declarations match the host's Windows layouts byte for byte. Each
// figure is given for both targets, i686 first, then x86-64, as the host's SDK headers lay them
// out; the build checks the figures of its own target.
#include <cstddef>
#include <utility>

#include "hostapi/lwhandler.h"
#include "hostapi/lwio.h"
#include "hostapi/lwmeshes.h"
#include "hostapi/lwpanel.h"
#include "hostapi/lwserver.h"
#include "hostapi/lwservices.h"
#include "hostapi/lwshader.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ON_TARGET(i686, x86_64) (i686)
#elif defined(_WIN64) || defined(__LP64__)
// LP64 systems lay these records out as x86-64 Windows does: no member is a `long`.
#define ON_TARGET(i686, x86_64) (x86_64)
#else
// A System V i386 build puts doubles on 4-byte boundaries and moves the shading record.
#error "the host's records are laid out for i686 and x86-64 Windows only"
#endif

#define MEMBER(record, member, i686Offset, i686Size, x64Offset, x64Size)                   \
    static_assert(offsetof(record, member) == ON_TARGET(i686Offset, x64Offset),            \
                  #record "." #member " offset");                                          \
    static_assert(sizeof(std::declval<record &>().member) == ON_TARGET(i686Size, x64Size), \
                  #record "." #member " size")
#define SIZE(type, i686, x86_64) static_assert(sizeof(type) == ON_TARGET(i686, x86_64), #type)
#define ALIGN(type, i686, x86_64) static_assert(alignof(type) == ON_TARGET(i686, x86_64), #type)
// Host-owned records are declared only as far as the module reads them: the prefix must end where
// the host's next member begins.
#define NEXT_HOST_MEMBER(record, member, i686, x86_64) \
    static_assert(sizeof(record) == ON_TARGET(i686, x86_64), #record " ends before " #member)

static_assert(LWPTAG_PART == 0x50415254 && LWPTAG_SURF == 0x53555246);

// Members, in the order of their records: i686 offset and size, then x86-64 offset and size.
// The members of a union (LWValue, LWPanControlDesc) start at 0: their own records stand for them.
MEMBER(ModuleDescriptor, sysSync, 0, 4, 0, 4);
MEMBER(ModuleDescriptor, sysVersion, 4, 4, 4, 4);
MEMBER(ModuleDescriptor, sysMachine, 8, 4, 8, 4);
MEMBER(ModuleDescriptor, startup, 12, 4, 16, 8);
MEMBER(ModuleDescriptor, shutdown, 16, 4, 24, 8);
MEMBER(ModuleDescriptor, serverDefs, 20, 4, 32, 8);
MEMBER(ServerTagInfo, string, 0, 4, 0, 8);
MEMBER(ServerTagInfo, tag, 4, 4, 8, 4);
MEMBER(ServerRecord, className, 0, 4, 0, 8);
MEMBER(ServerRecord, name, 4, 4, 8, 8);
MEMBER(ServerRecord, activate, 8, 4, 16, 8);
MEMBER(ServerRecord, tagInfo, 12, 4, 24, 8);
MEMBER(LWInstanceFuncs, priv, 0, 4, 0, 8);
MEMBER(LWInstanceFuncs, create, 4, 4, 8, 8);
MEMBER(LWInstanceFuncs, destroy, 8, 4, 16, 8);
MEMBER(LWInstanceFuncs, copy, 12, 4, 24, 8);
MEMBER(LWInstanceFuncs, load, 16, 4, 32, 8);
MEMBER(LWInstanceFuncs, save, 20, 4, 40, 8);
MEMBER(LWInstanceFuncs, descln, 24, 4, 48, 8);
MEMBER(LWItemFuncs, useItems, 0, 4, 0, 8);
MEMBER(LWItemFuncs, changeID, 4, 4, 8, 8);
MEMBER(LWRenderFuncs, init, 0, 4, 0, 8);
MEMBER(LWRenderFuncs, cleanup, 4, 4, 8, 8);
MEMBER(LWRenderFuncs, newTime, 8, 4, 16, 8);
MEMBER(LWShaderHandler, inst, 0, 4, 0, 8);
MEMBER(LWShaderHandler, item, 4, 4, 8, 8);
MEMBER(LWShaderHandler, rend, 8, 4, 16, 8);
MEMBER(LWShaderHandler, evaluate, 12, 4, 24, 8);
MEMBER(LWShaderHandler, flags, 16, 4, 32, 8);
MEMBER(LWInterface, inst, 0, 4, 0, 8);
MEMBER(LWInterface, panel, 4, 4, 8, 8);
MEMBER(LWInterface, options, 8, 4, 16, 8);
MEMBER(LWInterface, command, 12, 4, 24, 8);
MEMBER(LWShaderAccess, sx, 0, 4, 0, 4);
MEMBER(LWShaderAccess, sy, 4, 4, 4, 4);
MEMBER(LWShaderAccess, oPos, 8, 24, 8, 24);
MEMBER(LWShaderAccess, wPos, 32, 24, 32, 24);
MEMBER(LWShaderAccess, gNorm, 56, 24, 56, 24);
MEMBER(LWShaderAccess, spotSize, 80, 8, 80, 8);
MEMBER(LWShaderAccess, raySource, 88, 24, 88, 24);
MEMBER(LWShaderAccess, rayLength, 112, 8, 112, 8);
MEMBER(LWShaderAccess, cosine, 120, 8, 120, 8);
MEMBER(LWShaderAccess, oXfrm, 128, 72, 128, 72);
MEMBER(LWShaderAccess, wXfrm, 200, 72, 200, 72);
MEMBER(LWShaderAccess, objID, 272, 4, 272, 8);
MEMBER(LWShaderAccess, polNum, 276, 4, 280, 4);
MEMBER(LWShaderAccess, wNorm, 280, 24, 288, 24);
MEMBER(LWShaderAccess, color, 304, 24, 312, 24);
MEMBER(LWShaderAccess, luminous, 328, 8, 336, 8);
MEMBER(LWShaderAccess, diffuse, 336, 8, 344, 8);
MEMBER(LWShaderAccess, specular, 344, 8, 352, 8);
MEMBER(LWShaderAccess, mirror, 352, 8, 360, 8);
MEMBER(LWShaderAccess, transparency, 360, 8, 368, 8);
MEMBER(LWShaderAccess, eta, 368, 8, 376, 8);
MEMBER(LWShaderAccess, roughness, 376, 8, 384, 8);
MEMBER(LWShaderAccess, illuminate, 384, 4, 392, 8);
MEMBER(LWShaderAccess, rayTrace, 388, 4, 400, 8);
MEMBER(LWShaderAccess, rayCast, 392, 4, 408, 8);
MEMBER(LWShaderAccess, rayShade, 396, 4, 416, 8);
MEMBER(LWShaderAccess, flags, 400, 4, 424, 4);
MEMBER(LWShaderAccess, bounces, 404, 4, 428, 4);
MEMBER(LWShaderAccess, sourceID, 408, 4, 432, 8);
MEMBER(LWShaderAccess, wNorm0, 416, 24, 440, 24);
MEMBER(LWShaderAccess, bumpHeight, 440, 8, 464, 8);
MEMBER(LWShaderAccess, translucency, 448, 8, 472, 8);
MEMBER(LWShaderAccess, colorHL, 456, 8, 480, 8);
MEMBER(LWShaderAccess, colorFL, 464, 8, 488, 8);
MEMBER(LWShaderAccess, addTransparency, 472, 8, 496, 8);
MEMBER(LWShaderAccess, difSharpness, 480, 8, 504, 8);
MEMBER(LWShaderAccess, verts, 488, 16, 512, 32);
MEMBER(LWShaderAccess, weights, 504, 16, 544, 16);
MEMBER(LWShaderAccess, vertsWPos, 520, 48, 560, 48);
MEMBER(LWShaderAccess, polygon, 568, 4, 608, 8);
MEMBER(LWItemInfo, first, 0, 4, 0, 8);
MEMBER(LWItemInfo, next, 4, 4, 8, 8);
MEMBER(LWObjectInfo, filename, 0, 4, 0, 8);
MEMBER(LWObjectInfo, numPoints, 4, 4, 8, 8);
MEMBER(LWObjectInfo, numPolygons, 8, 4, 16, 8);
MEMBER(LWObjectInfo, shadowOpts, 12, 4, 24, 8);
MEMBER(LWObjectInfo, dissolve, 16, 4, 32, 8);
MEMBER(LWObjectInfo, meshInfo, 20, 4, 40, 8);
MEMBER(LWObjectFuncs, numObjects, 0, 4, 0, 8);
MEMBER(LWObjectFuncs, filename, 4, 4, 8, 8);
MEMBER(LWSurfaceFuncs, create, 0, 4, 0, 8);
MEMBER(LWSurfaceFuncs, first, 4, 4, 8, 8);
MEMBER(LWSurfaceFuncs, next, 8, 4, 16, 8);
MEMBER(LWSurfaceFuncs, byName, 12, 4, 24, 8);
MEMBER(LWSurfaceFuncs, byObject, 16, 4, 32, 8);
MEMBER(LWSurfaceFuncs, name, 20, 4, 40, 8);
MEMBER(LWMeshInfo, priv, 0, 4, 0, 8);
MEMBER(LWMeshInfo, destroy, 4, 4, 8, 8);
MEMBER(LWMeshInfo, numPoints, 8, 4, 16, 8);
MEMBER(LWMeshInfo, numPolygons, 12, 4, 24, 8);
MEMBER(LWMeshInfo, scanPoints, 16, 4, 32, 8);
MEMBER(LWMeshInfo, scanPolys, 20, 4, 40, 8);
MEMBER(LWMeshInfo, pntBasePos, 24, 4, 48, 8);
MEMBER(LWMeshInfo, pntOtherPos, 28, 4, 56, 8);
MEMBER(LWMeshInfo, pntVLookup, 32, 4, 64, 8);
MEMBER(LWMeshInfo, pntVSelect, 36, 4, 72, 8);
MEMBER(LWMeshInfo, pntVGet, 40, 4, 80, 8);
MEMBER(LWMeshInfo, polType, 44, 4, 88, 8);
MEMBER(LWMeshInfo, polSize, 48, 4, 96, 8);
MEMBER(LWMeshInfo, polVertex, 52, 4, 104, 8);
MEMBER(LWMeshInfo, polTag, 56, 4, 112, 8);
MEMBER(LWBlockIdent, id, 0, 4, 0, 4);
MEMBER(LWBlockIdent, token, 4, 4, 8, 8);
MEMBER(LWSaveState, ioMode, 0, 4, 0, 4);
MEMBER(LWSaveState, writeData, 4, 4, 8, 8);
MEMBER(LWSaveState, write, 8, 4, 16, 8);
MEMBER(LWSaveState, writeI1, 12, 4, 24, 8);
MEMBER(LWSaveState, writeI2, 16, 4, 32, 8);
MEMBER(LWSaveState, writeI4, 20, 4, 40, 8);
MEMBER(LWSaveState, writeU1, 24, 4, 48, 8);
MEMBER(LWSaveState, writeU2, 28, 4, 56, 8);
MEMBER(LWSaveState, writeU4, 32, 4, 64, 8);
MEMBER(LWSaveState, writeFP, 36, 4, 72, 8);
MEMBER(LWSaveState, writeStr, 40, 4, 80, 8);
MEMBER(LWSaveState, writeID, 44, 4, 88, 8);
MEMBER(LWSaveState, beginBlk, 48, 4, 96, 8);
MEMBER(LWSaveState, endBlk, 52, 4, 104, 8);
MEMBER(LWLoadState, ioMode, 0, 4, 0, 4);
MEMBER(LWLoadState, readData, 4, 4, 8, 8);
MEMBER(LWLoadState, read, 8, 4, 16, 8);
MEMBER(LWLoadState, readI1, 12, 4, 24, 8);
MEMBER(LWLoadState, readI2, 16, 4, 32, 8);
MEMBER(LWLoadState, readI4, 20, 4, 40, 8);
MEMBER(LWLoadState, readU1, 24, 4, 48, 8);
MEMBER(LWLoadState, readU2, 28, 4, 56, 8);
MEMBER(LWLoadState, readU4, 32, 4, 64, 8);
MEMBER(LWLoadState, readFP, 36, 4, 72, 8);
MEMBER(LWLoadState, readStr, 40, 4, 80, 8);
MEMBER(LWLoadState, readID, 44, 4, 88, 8);
MEMBER(LWLoadState, findBlk, 48, 4, 96, 8);
MEMBER(LWLoadState, endBlk, 52, 4, 104, 8);
MEMBER(LWPanelFuncs, create, 0, 4, 0, 8);
MEMBER(LWPanelFuncs, destroy, 4, 4, 8, 8);
MEMBER(LWPanelFuncs, open, 8, 4, 16, 8);
MEMBER(LWPanelFuncs, handle, 12, 4, 24, 8);
MEMBER(LWPanelFuncs, draw, 16, 4, 32, 8);
MEMBER(LWPanelFuncs, close, 20, 4, 40, 8);
MEMBER(LWPanelFuncs, get, 24, 4, 48, 8);
MEMBER(LWPanelFuncs, set, 28, 4, 56, 8);
MEMBER(LWPanelFuncs, addControl, 32, 4, 64, 8);
MEMBER(LWPanelFuncs, nextControl, 36, 4, 72, 8);
MEMBER(LWPanelFuncs, drawFuncs, 40, 4, 80, 8);
MEMBER(LWPanelFuncs, user_data, 44, 4, 88, 8);
MEMBER(LWPanelFuncs, globalFun, 48, 4, 96, 8);
MEMBER(LWControl, draw, 0, 4, 0, 8);
MEMBER(LWControl, get, 4, 4, 8, 8);
MEMBER(LWControl, set, 8, 4, 16, 8);
MEMBER(LWControl, priv_data, 12, 4, 24, 8);
MEMBER(LWValue, type, 0, 4, 0, 4);
MEMBER(LWValInt, type, 0, 4, 0, 4);
MEMBER(LWValInt, value, 4, 4, 4, 4);
MEMBER(LWValInt, defVal, 8, 4, 8, 4);
MEMBER(LWValFloat, type, 0, 4, 0, 4);
MEMBER(LWValFloat, value, 8, 8, 8, 8);
MEMBER(LWValFloat, defVal, 16, 8, 16, 8);
MEMBER(LWValPointer, type, 0, 4, 0, 4);
MEMBER(LWValPointer, ptr, 4, 4, 8, 8);
MEMBER(LWValString, buf, 4, 4, 8, 8);
MEMBER(LWValString, bufLen, 8, 4, 16, 4);
MEMBER(LWValIVector, val, 4, 12, 4, 12);
MEMBER(LWValIVector, defVal, 16, 4, 16, 4);
MEMBER(LWValFVector, val, 8, 24, 8, 24);
MEMBER(LWValFVector, defVal, 32, 8, 32, 8);
MEMBER(LWValCustom, val, 4, 16, 4, 16);
MEMBER(LWPanControlDesc, type, 0, 4, 0, 4);
MEMBER(LWPanPopupDesc, type, 0, 4, 0, 4);
MEMBER(LWPanPopupDesc, width, 4, 4, 4, 4);
MEMBER(LWPanPopupDesc, countFn, 8, 4, 8, 8);
MEMBER(LWPanPopupDesc, nameFn, 12, 4, 16, 8);
MEMBER(LWPanAreaDesc, type, 0, 4, 0, 4);
MEMBER(LWPanAreaDesc, width, 4, 4, 4, 4);
MEMBER(LWPanAreaDesc, height, 8, 4, 8, 4);
MEMBER(LWPanRangeDesc, type, 0, 4, 0, 4);
MEMBER(LWPanRangeDesc, width, 4, 4, 4, 4);
MEMBER(LWPanRangeDesc, min, 8, 4, 8, 4);
MEMBER(LWPanRangeDesc, max, 12, 4, 12, 4);

// Whole records and types.
SIZE(ModuleDescriptor, 24, 40);
SIZE(ServerTagInfo, 8, 16);
SIZE(ServerRecord, 16, 32);
SIZE(LWInstanceFuncs, 28, 56);
SIZE(LWRenderFuncs, 12, 24);
SIZE(LWShaderHandler, 20, 40);
SIZE(LWInterface, 16, 32);
SIZE(LWBlockIdent, 8, 16);
SIZE(LWPanelFuncs, 52, 104);
SIZE(LWControl, 16, 32);
SIZE(LWValue, 40, 40);
SIZE(LWValInt, 12, 12);
SIZE(LWValFloat, 24, 24);
SIZE(LWValPointer, 8, 16);
SIZE(LWValString, 12, 24);
SIZE(LWValIVector, 20, 20);
SIZE(LWValFVector, 40, 40);
SIZE(LWValCustom, 20, 20);
SIZE(LWPanControlDesc, 28, 48);
SIZE(LWPanPopupDesc, 16, 24);
SIZE(LWPanAreaDesc, 12, 12);
SIZE(LWPanRangeDesc, 16, 16);
SIZE(LWPanTreeDesc, 28, 48);
SIZE(LWItemID, 4, 8);
SIZE(LWSurfaceID, 4, 8);
SIZE(LWPolID, 4, 8);
SIZE(LWPntID, 4, 8);
SIZE(LWMeshInfoID, 4, 8);
SIZE(LWPanelID, 4, 8);
SIZE(LWControlID, 4, 8);
SIZE(LWInstance, 4, 8);
SIZE(LWError, 4, 8);
SIZE(LWFrame, 4, 4);
SIZE(LWTime, 8, 8);
SIZE(LWFVector, 12, 12);
SIZE(LWDVector, 24, 24);
SIZE(LWID, 4, 4);
SIZE(LWType, 4, 4);
SIZE(LWItemType, 4, 4);
SIZE(pTag, 4, 4);
SIZE(cTag, 4, 4);
SIZE(DrMode, 4, 4);
SIZE(LWDualKey, 2, 2);
SIZE(GlobalFunc *, 4, 8);
SIZE(ActivateFunc *, 4, 8);
SIZE(LWPolScanFunc *, 4, 8);
ALIGN(LWShaderAccess, 8, 8);
ALIGN(LWValue, 8, 8);
ALIGN(LWPanControlDesc, 4, 8);
ALIGN(LWTime, 8, 8);

NEXT_HOST_MEMBER(LWItemFuncs, changeName, 8, 16);
NEXT_HOST_MEMBER(LWShaderAccess, replacement_percentage, 576, 616);
NEXT_HOST_MEMBER(LWMeshInfo, pntVPGet, 60, 120);
NEXT_HOST_MEMBER(LWSaveState, depth, 56, 112);
NEXT_HOST_MEMBER(LWLoadState, depth, 56, 112);
