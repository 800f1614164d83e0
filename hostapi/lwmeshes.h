// Mesh accessors, obtained from the object-info service and released through their `destroy`.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {

typedef struct st_LWMeshInfo LWMeshInfo;
typedef LWMeshInfo *LWMeshInfoID;

// The version-4-era SDK returns int from scans, the newest size_t; both are 4 bytes on the target.
typedef int LWPntScanFunc(void *data, LWPntID);
typedef int LWPolScanFunc(void *data, LWPolID);

struct st_LWMeshInfo {
    void *priv;
    void (*destroy)(LWMeshInfoID);
    int (*numPoints)(LWMeshInfoID);
    int (*numPolygons)(LWMeshInfoID);
    int (*scanPoints)(LWMeshInfoID, LWPntScanFunc *, void *);
    int (*scanPolys)(LWMeshInfoID, LWPolScanFunc *, void *);
    void (*pntBasePos)(LWMeshInfoID, LWPntID, LWFVector pos);
    void (*pntOtherPos)(LWMeshInfoID, LWPntID, LWFVector pos);
    void *(*pntVLookup)(LWMeshInfoID, LWID, const char *);
    int (*pntVSelect)(LWMeshInfoID, void *);
    int (*pntVGet)(LWMeshInfoID, LWPntID, float *vector);
    LWID (*polType)(LWMeshInfoID, LWPolID);
    int (*polSize)(LWMeshInfoID, LWPolID);
    LWPntID (*polVertex)(LWMeshInfoID, LWPolID, int);
    const char *(*polTag)(LWMeshInfoID, LWPolID, LWID);
};

}  // extern "C"

constexpr LWID LWPTAG_SURF = LWID_('S', 'U', 'R', 'F');
constexpr LWID LWPTAG_PART = LWID_('P', 'A', 'R', 'T');
constexpr LWID LWPOLTYPE_FACE = LWID_('F', 'A', 'C', 'E');
