#include "shader/evaluate.h"

void evaluate(LWInstance, LWShaderAccess *) {}
