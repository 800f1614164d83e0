// Mesh accessors, obtained from the object-info service and released through their `destroy`.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {

typedef struct st_LWMeshInfo LWMeshInfo;
typedef LWMeshInfo *LWMeshInfoID;

// Scans return size_t as the 64-bit-era SDK has it: on x86-64 the host reads and returns all 8
// bytes. The version-4-era SDK's int is the same 4 bytes on i686.
typedef std::size_t LWPntScanFunc(void *data, LWPntID);
typedef std::size_t LWPolScanFunc(void *data, LWPolID);

struct st_LWMeshInfo {
    void *priv;
    void (*destroy)(LWMeshInfoID);
    int (*numPoints)(LWMeshInfoID);
    int (*numPolygons)(LWMeshInfoID);
    std::size_t (*scanPoints)(LWMeshInfoID, LWPntScanFunc *, void *);
    std::size_t (*scanPolys)(LWMeshInfoID, LWPolScanFunc *, void *);
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
