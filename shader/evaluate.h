// The shading callback: the smoothed normal of one sample.
#pragma once

#include "hostapi/lwshader.h"

void evaluate(LWInstance instance, LWShaderAccess *sample);
