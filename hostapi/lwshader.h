// The shading record the host hands to `evaluate`, one per shading sample.
#pragma once

#include "hostapi/lwtypes.h"

extern "C" {

// Declared up to `polygon`; hosts append more members after it. Never copy or size one.
typedef struct st_LWShaderAccess {
    int sx, sy;
    LWDVector oPos, wPos;
    LWDVector gNorm;
    double spotSize;
    LWDVector raySource;
    double rayLength;
    double cosine;
    double oXfrm[9], wXfrm[9];
    LWItemID objID;
    int polNum;
    LWDVector wNorm;
    LWDVector color;
    double luminous, diffuse, specular, mirror, transparency, eta, roughness;
    int (*illuminate)(LWItemID light, const LWDVector position, LWDVector direction,
                      LWDVector color);
    double (*rayTrace)(const LWDVector position, const LWDVector direction, LWDVector color);
    double (*rayCast)(const LWDVector position, const LWDVector direction);
    double (*rayShade)(const LWDVector position, const LWDVector direction,
                       struct st_LWShaderAccess *);
    int flags;
    int bounces;
    LWItemID sourceID;
    LWDVector wNorm0;
    double bumpHeight;
    double translucency;
    double colorHL, colorFL;
    double addTransparency;
    double difSharpness;
    LWPntID verts[4];
    float weights[4];
    float vertsWPos[4][3];
    LWPolID polygon;
} LWShaderAccess;

}  // extern "C"
