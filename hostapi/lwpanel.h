// Classic panel services ("LWPanelServices"): panels, controls and the value records between them.
#pragma once

#include "hostapi/lwtypes.h"

#define LWPANELFUNCS_GLOBAL "LWPanelServices"

extern "C" {

typedef int pTag;
typedef int cTag;
typedef int DrMode;

typedef struct st_DrawFuncs DrawFuncs;

typedef struct st_LWValInt {
    LWType type;
    int value;
    int defVal;
} LWValInt;

typedef struct st_LWValFloat {
    LWType type;
    double value;
    double defVal;
} LWValFloat;

typedef struct st_LWValPointer {
    LWType type;
    void *ptr;
} LWValPointer;

typedef struct st_LWValString {
    LWType type;
    char *buf;
    int bufLen;
} LWValString;

typedef struct st_LWValIVector {
    LWType type;
    int val[3];
    int defVal;
} LWValIVector;

typedef struct st_LWValFVector {
    LWType type;
    double val[3];
    double defVal;
} LWValFVector;

typedef struct st_LWValCustom {
    LWType type;
    int val[4];
} LWValCustom;

// The module allocates whole value records (40 bytes on both targets) and passes them to
// controls, which may write any member.
typedef union un_LWValue {
    LWType type;
    LWValInt intv;
    LWValFloat flt;
    LWValPointer ptr;
    LWValString str;
    LWValIVector ivec;
    LWValFVector fvec;
    LWValCustom cust;
} LWValue;

typedef struct st_LWPanPopupDesc {
    LWType type;
    int width;
    int (*countFn)(void *userdata);
    char *(*nameFn)(void *userdata, int index);
} LWPanPopupDesc;

typedef struct st_LWPanAreaDesc {
    LWType type;
    int width, height;
} LWPanAreaDesc;

typedef struct st_LWPanRangeDesc {
    LWType type;
    int width, min, max;
} LWPanRangeDesc;

// The tree descriptor is the largest member; it gives the union its full size (28 bytes on i686,
// 48 on x86-64), which the host's list descriptors also fit in.
typedef struct st_LWPanTreeDesc {
    LWType type;
    int width, height;
    int (*countFn)(void *userdata, void *node);
    void *(*childFn)(void *userdata, void *node, int index);
    char *(*infoFn)(void *userdata, void *node, int *flags);
    void (*moveFn)(void *userdata, void *node, void *parent, int index);
} LWPanTreeDesc;

typedef union un_LWPanControlDesc {
    LWType type;
    LWPanPopupDesc popup;
    LWPanAreaDesc area;
    LWPanRangeDesc range;
    LWPanTreeDesc tree;
} LWPanControlDesc;

typedef struct st_LWControl {
    void (*draw)(LWControlID, DrMode);
    void (*get)(LWControlID, cTag, LWValue *);
    void (*set)(LWControlID, cTag, LWValue *);
    void *priv_data;
} LWControl;

typedef struct st_LWPanelFuncs {
    LWPanelID (*create)(char *title, void *panelFuncs);
    void (*destroy)(LWPanelID);
    int (*open)(LWPanelID, int flags);
    int (*handle)(LWPanelID, int);
    void (*draw)(LWPanelID, DrMode);
    void (*close)(LWPanelID);
    void (*get)(LWPanelID, pTag, void *);
    void (*set)(LWPanelID, pTag, void *);
    LWControl *(*addControl)(LWPanelID, char *type, LWPanControlDesc *, char *label);
    LWControl *(*nextControl)(LWPanelID, LWControlID);
    DrawFuncs *drawFuncs;
    void *user_data;
    GlobalFunc *globalFun;
} LWPanelFuncs;

// Notification forms; the second argument is the panel's or control's user data.
typedef void LWPanHook(LWPanelID, void *);
typedef void LWPanDrawHook(LWPanelID, void *, DrMode);
typedef void LWPanMouseHook(LWPanelID, void *, int qualifiers, int x, int y);
typedef int LWPanKeyHook(LWPanelID, void *, LWDualKey);
typedef void LWCtlEventHook(LWControlID, void *);

}  // extern "C"

constexpr pTag PAN_X = 0, PAN_Y = 1, PAN_W = 2, PAN_H = 3;
constexpr pTag PAN_USERDRAW = 7, PAN_USERACTIVATE = 8, PAN_USEROPEN = 9, PAN_USERCLOSE = 10;
constexpr pTag PAN_USERDATA = 12, PAN_USERKEYS = 13, PAN_MOUSEBUTTON = 15, PAN_MOUSEMOVE = 16;
constexpr pTag PAN_USERKEYUPS = 21;

constexpr cTag CTL_X = 0, CTL_Y = 1, CTL_VALUE = 4, CTL_USEREVENT = 14, CTL_USERDATA = 16;

constexpr DrMode DR_ERASE = 0, DR_RENDER = 1, DR_GHOST = 2, DR_REFRESH = 3;

constexpr LWType LWT_INTEGER = 2, LWT_FLOAT = 3, LWT_BOOLEAN = 8, LWT_RANGE = 15;
constexpr LWType LWT_POPUP = 18, LWT_AREA = 19, LWT_POINTER = 23;

constexpr int PANF_BLOCKING = 1, PANF_CANCEL = 2, PANF_FRAME = 4, PANF_MOUSETRAP = 8;
constexpr int PANF_PASSALLKEYS = 16, PANF_ABORT = 32, PANF_NOBUTT = 64, PANF_RESIZE = 128;

constexpr int IQ_CTRL = 1, IQ_SHIFT = 2, IQ_ALT = 4;
constexpr int MOUSE_LEFT = 32, MOUSE_MID = 64, MOUSE_RIGHT = 96, MOUSE_DOWN = 128;

constexpr int LWDK_ALT = 0x1060, LWDK_SHIFT = 0x1061, LWDK_CTRL = 0x1062;
